#ifndef GRAMMAR_GRAMMARREADER_H
#define GRAMMAR_GRAMMARREADER_H

#include <string>

#include "grammar/GrammarError.h"
#include "grammar/GrammarExport.h"
#include "grammar/GrammarFile.h"

namespace upgrammar {

// How deep a grammar file may nest: JSON objects and arrays, and parameter descriptors within
// parameter descriptors (qualifiers and the parts of compound values).
constexpr std::size_t kMaxJsonDepth = 64;
constexpr int kMaxDescriptorDepth = 16;

// Reads the text of a grammar file; fileName names it in the error. Answers false at the first
// problem, with `error` saying where it is and what was expected there, and `grammar` holding
// the commands read before it. Refuses, besides what the format does not allow, every grammar
// the parser could not run: a KeyWordValue parameter without its keyword or value part, a
// StringQualList without qualifiers, names declared twice, boundaries no value meets,
// separators that name no subcommand of their group. Never throws on bad input.
UPGRAMMAR_API bool ReadGrammar(const std::string& text, const std::string& fileName,
                               GrammarFile& grammar, GrammarError& error);

// ReadGrammar on the contents of the file at path.
UPGRAMMAR_API bool ReadGrammarFile(const std::string& path, GrammarFile& grammar,
                                   GrammarError& error);

}  // namespace upgrammar

#endif
