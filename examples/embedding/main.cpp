// The host with the RANK procedure linked in, against the shared or the static library.
#include "HostRun.h"

int main() {
    return embedding::RunRankCommands(&RankCommand);
}
