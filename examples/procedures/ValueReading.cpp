#include "examples/procedures/ValueReading.h"

namespace examples {

std::vector<TokenInfoObj> ValueTokens(const ParamObj& value) {
    std::vector<TokenInfoObj> tokens;
    value.getTokenList(tokens);
    return tokens;
}

std::vector<TokenInfoObj> LeadingTokens(const SubComObj& sub) {
    return ValueTokens(*sub.exportParamObj());
}

std::string JoinTexts(const std::vector<TokenInfoObj>& tokens) {
    std::string text;
    for (const TokenInfoObj& token : tokens) {
        if (!text.empty()) {
            text += ' ';
        }
        if (token.IsLiteral()) {
            text += '\'';
            text += token.getString();
            text += '\'';
        } else {
            text += token.getString();
        }
    }
    return text;
}

}  // namespace examples
