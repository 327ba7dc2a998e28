#ifndef EMBEDDING_RANK_H
#define EMBEDDING_RANK_H

#include <string>
#include <vector>

#include "uparser/host/DataSource.h"
#include "uparser/host/TokenSequence.h"

// RANK /VARIABLES varlist [/GROUPS integer]: a procedure of the host, written with the
// library. A plugin exports its entry point by this name for the host to look up.
struct RankSettings {
    std::vector<std::string> variables;
    int groups = 4;
};

// 0 with the settings filled in, or the parser's error code (-1 when the variables were
// rejected) after the library has reported why through the host's error service.
extern "C" __attribute__((visibility("default"))) int RankCommand(TAVO_TokenSequence& tokens,
                                                                  const TAVO_DataSource& data,
                                                                  RankSettings& settings);

using RankEntry = int (*)(TAVO_TokenSequence&, const TAVO_DataSource&, RankSettings&);

#endif
