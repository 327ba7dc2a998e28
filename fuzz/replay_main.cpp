// Feeds every file of the given directories (or the given files) to the fuzz target once, in
// name order, so that any compiler's build replays the corpus and the regression inputs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::error_code error;
        if (fs::is_regular_file(path, error)) {
            ok = Replay(path) && ok;
            ++replayed;
            continue;
        }
        if (!fs::is_directory(path, error)) {
            // A target that never failed has no regression directory yet.
            std::fprintf(stderr, "skipping %s: no such directory\n", path.string().c_str());
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
            if (entry.is_regular_file(error) && entry.path().filename().string()[0] != '.') {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            ok = Replay(file) && ok;
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return ok && replayed > 0 ? 0 : 1;
}
