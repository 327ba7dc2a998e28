#ifndef GRAMMAR_GRAMMAR_H
#define GRAMMAR_GRAMMAR_H

// Grammar files: command grammars as JSON, read into CommandDescriptors and written back.
#include "grammar/GrammarError.h"
#include "grammar/GrammarFile.h"
#include "grammar/GrammarReader.h"
#include "grammar/GrammarWriter.h"

#endif
