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
