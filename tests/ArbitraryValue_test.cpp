// The value of an arbitrary subcommand is checked after every token: the parse stops at the
// first token after which the value no longer fits, with that check's diagnostic, however the
// check is made.
#include <gtest/gtest.h>

#include <string>

#include "support/ParseCommand.h"
#include "support/Tokens.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/SubComDescriptor.h"

namespace {

using namespace UPSpecTypes;
using testsupport::ParseCommand;

CommandDescriptor NoteOf(ParamSpec type) {
    CommandDescriptor command("CMD");
    SubComDescriptor note("NOTE", SubComArbitrary);
    ParamDescriptor value(std::string(), type);
    value.setLowerBoundary(0, LowerIncluded);
    note.setExportParamDesc(value);
    command.addSubComDesc(note);
    command.addSubComDesc(SubComDescriptor("NEXT", SubComArbitrary));
    return command;
}

std::string Collected(const testsupport::ParseOutcome& out) {
    return testsupport::Joined(out.spec.getSubComObj("NOTE"));
}

TEST(ArbitraryValue, AListStopsAtItsFirstMisfitWithItsMessage) {
    const CommandDescriptor vars = NoteOf(ParamVarList);
    const auto fits = ParseCommand("CMD /NOTE a b c d /NEXT x", &vars);
    EXPECT_EQ(fits.code, ParseCodes::Parsed);
    EXPECT_EQ(Collected(fits), "a b c d");
    // Up to the command's last token, which the cursor also keeps for reports after it.
    const auto last = ParseCommand("CMD /NOTE a bb 3", &vars);
    EXPECT_EQ(last.code, ParseCodes::WrongValue);
    EXPECT_EQ(Collected(last), "a bb 3");
    EXPECT_EQ(ParseCommand("CMD /NOTE a bb", &vars).code, ParseCodes::Parsed);

    const auto stops = ParseCommand("CMD /NOTE a b 3 c d", &vars);
    EXPECT_EQ(stops.code, ParseCodes::WrongValue);
    EXPECT_EQ(Collected(stops), "a b 3");
    ASSERT_EQ(stops.messages.size(), 1u);
    EXPECT_NE(stops.messages[0].text.find("variable"), std::string::npos) << stops.messages[0].text;

    const CommandDescriptor numbers = NoteOf(ParamNumberList);
    const auto bound = ParseCommand("CMD /NOTE 1 2 -3 4", &numbers);
    EXPECT_EQ(bound.code, ParseCodes::WrongValue);
    EXPECT_EQ(Collected(bound), "1 2 -3");
    ASSERT_EQ(bound.messages.size(), 1u);
    EXPECT_NE(bound.messages[0].text.find("-3"), std::string::npos) << bound.messages[0].text;
}

// The parser takes a variable name as fitting a variable list alone without building the
// list; that holds only while a one-token list fits exactly when its token is a name.
TEST(ArbitraryValue, AOneTokenVariableListFitsExactlyWhenTheTokenIsAName) {
    const ParamDescriptor vars(std::string(), ParamVarList);
    for (const TokenInfoObj& token : TokensOf("a Z9 x.y @v TO all by 3 'a' ( = a. 1a _a")) {
        ParamObj one(TokenInfoObj(), ParamTokenList);
        one.addTokenObj(token);
        EXPECT_EQ(one.canGetValue(&vars, nullptr), token.IsVarName()) << token.getString();
    }
}

}  // namespace
