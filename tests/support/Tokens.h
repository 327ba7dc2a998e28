#ifndef TESTS_SUPPORT_TOKENS_H
#define TESTS_SUPPORT_TOKENS_H

#include <string>
#include <vector>

#include "uparser/TokenInfoObj.h"

// Every token of the text, the command name included, as the reference tokenizer reads it.
std::vector<TokenInfoObj> TokensOf(const std::string& text);
// The first of them.
TokenInfoObj TokenOf(const std::string& text);

#endif
