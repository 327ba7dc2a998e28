#ifndef EMBEDDING_HOSTRUN_H
#define EMBEDDING_HOSTRUN_H

#include "Rank.h"

namespace embedding {

// Runs a correct and a wrong RANK command through the procedure, as the host would for a
// user's syntax, and checks what the procedure read and what the host's own services received.
// Prints one line per finding and a summary; 0 when everything held.
int RunRankCommands(RankEntry rank);

}  // namespace embedding

#endif
