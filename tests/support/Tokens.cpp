#include "support/Tokens.h"

#include "refhost/Tokens.h"

std::vector<TokenInfoObj> TokensOf(const std::string& text) {
    return refhost::TokensOf(text);
}

TokenInfoObj TokenOf(const std::string& text) {
    return refhost::TokensOf(text).at(0);
}
