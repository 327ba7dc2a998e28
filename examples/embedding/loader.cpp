// The host as a program that loads its procedures: it exports its services (ENABLE_EXPORTS;
// they are the only symbols it compiles with default visibility) and opens the RANK plugin,
// which is linked against the library alone. The library resolves its host symbols in this
// program when the plugin is loaded; RTLD_NOW makes a missing service fail the load.
#include <dlfcn.h>

#include <cstdio>

#include "HostRun.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PLUGIN\n", argv[0]);
        return 2;
    }
    void* plugin = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (plugin == nullptr) {
        std::fprintf(stderr, "cannot load the procedure: %s\n", dlerror());
        return 1;
    }
    auto rank = reinterpret_cast<RankEntry>(dlsym(plugin, "RankCommand"));
    if (rank == nullptr) {
        std::fprintf(stderr, "the plugin has no RankCommand: %s\n", dlerror());
        return 1;
    }
    const int status = embedding::RunRankCommands(rank);
    dlclose(plugin);
    return status;
}
