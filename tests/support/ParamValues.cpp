#include "support/ParamValues.h"

#include <gtest/gtest.h>

#include "support/Tokens.h"

namespace testsupport {

ParamObj Value(const std::string& text) {
    ParamObj param(TokenOf("key"),
                   text.empty() ? UPSpecTypes::ParamKeyWord : UPSpecTypes::ParamTokenList);
    param.setSubComExtName("SUB");
    // Only a token list takes tokens.
    EXPECT_EQ(param.setTokenList(TokensOf(text)), !text.empty()) << text;
    return param;
}

}  // namespace testsupport
