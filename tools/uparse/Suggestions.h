#ifndef TOOLS_UPARSE_SUGGESTIONS_H
#define TOOLS_UPARSE_SUGGESTIONS_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/host/DataSource.h"

namespace uparse {

// Edits (insert, delete, replace, swap of neighbours) of characters that turn one word into
// the other, compared case-folded (refhost::FoldCase), so "ΑΛΦΑ" is one edit from "άλφα".
int EditDistance(const std::string& left, const std::string& right);

// The candidate closest to word when it lies within two edits and fewer edits than word has
// characters (so that "x" does not become "id"); the first of equally close ones; "" when
// none does, or when word is itself a candidate.
std::string Closest(const std::string& word, const std::vector<std::string>& candidates);

struct Suggestion {
    std::string name;
    TokenInfoObj at;  // the unknown word
};

// A known name for the unknown one that stopped the run: a subcommand for an unknown
// subcommand, a parameter for an unknown parameter, a parameter, accepted word or qualifier
// for a rejected value, a dictionary variable for a variable the dictionary lacks.
bool SuggestName(const examples::RunResult& result, const CommandDescriptor& grammar,
                 const TAVO_DataSource& data, Suggestion& suggestion);

// A sample procedure's name for an unknown command name, or "".
std::string SuggestCommand(const std::string& name);

}  // namespace uparse

#endif
