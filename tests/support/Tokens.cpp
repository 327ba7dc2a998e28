#include "support/Tokens.h"

#include "refhost/TextTokenSequence.h"

std::vector<TokenInfoObj> TokensOf(const std::string& text) {
    refhost::TextTokenSequence stream(text);
    std::vector<TokenInfoObj> tokens;
    tokens.reserve(static_cast<std::size_t>(stream.getTokenCount()));
    while (stream.next()) {
        tokens.emplace_back(stream);
    }
    return tokens;
}

TokenInfoObj TokenOf(const std::string& text) {
    return TokensOf(text).at(0);
}
