#ifndef TOOLS_UPARSE_SUGGESTIONS_H
#define TOOLS_UPARSE_SUGGESTIONS_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
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

// The dictionary's variables in its order: every one, or only the numeric ones.
std::vector<std::string> VariableNames(const TAVO_DataSource& data, bool numericOnly);

// A name for the unknown word that stopped the run, drawn from what was valid there
// (RunResult::expected): the grammar's names, or the dictionary's variables.
bool SuggestName(const examples::RunResult& result, const TAVO_DataSource& data,
                 Suggestion& suggestion);

}  // namespace uparse

#endif
