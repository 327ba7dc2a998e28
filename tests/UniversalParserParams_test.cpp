// End to end: how parameters and leading values are written — by "=", in parentheses, in
// blocks — with square brackets, slashes in values and every value-form diagnostic.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "support/ParseCommand.h"
#include "support/TestGrammars.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/SubComDescriptor.h"

namespace {

using namespace UPSpecTypes;
using ::testing::IsEmpty;
using testsupport::ExpectFailure;
using testsupport::Joined;
using testsupport::Params;
using testsupport::ParseCommand;
using testsupport::ParseOutcome;

class UniversalParserParams : public ::testing::Test {
  protected:
    ParseOutcome Parse(const std::string& text) const {
        return ParseCommand("PARAMS " + text, &grammar);
    }
    // The parameter of a successful parse, in the subcommand named sub.
    const ParamObj* Param(const ParseOutcome& out, const std::string& sub,
                          const std::string& name) const {
        const SubComObj* subCom = out.spec.getSubComObj(sub);
        return subCom != nullptr ? subCom->getParamObj(name) : nullptr;
    }
    const CommandDescriptor grammar = Params();
};

TEST_F(UniversalParserParams, KeywordsAloneAndValuesAfterEqualSigns) {
    const ParseOutcome out = Parse("/EQ FLAG KEY = 1 2 OTHER = 3 /PAREN FLAG");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    const SubComObj* eq = out.spec.getSubComObj("EQ");
    ASSERT_EQ(eq->getParamListSize(), 3u);
    EXPECT_TRUE(eq->getParamObj(0u)->isLeadingToken());
    EXPECT_EQ(Joined(eq->getParamObj("key")), "1 2");  // OTHER = ends the run
    EXPECT_EQ(Joined(eq->getParamObj("other")), "3");
    EXPECT_TRUE(eq->isEqualUsed());
    EXPECT_FALSE(eq->areParenUsed());
    EXPECT_TRUE(Param(out, "PAREN", "FLAG")->isLeadingToken());
    EXPECT_FALSE(out.spec.getSubComObj("PAREN")->isEqualUsed());

    // A keyword directly before "/".
    const ParseOutcome beforeSlash = Parse("/EQ FLAG /PAREN FLAG");
    EXPECT_EQ(beforeSlash.code, ParseCodes::Parsed);
    EXPECT_TRUE(Param(beforeSlash, "EQ", "FLAG")->isLeadingToken());
}

TEST_F(UniversalParserParams, ValuesInParentheses) {
    const ParseOutcome out = Parse("/PAREN KEY (1 2) FLAG OTHER ((3) 4)");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    const ParamObj* key = Param(out, "PAREN", "KEY");
    EXPECT_EQ(Joined(key), "1 2");
    EXPECT_TRUE(key->areParenUsed());
    // After ")" a word may start a parameter even without an operator after it.
    EXPECT_TRUE(Param(out, "PAREN", "FLAG")->isLeadingToken());
    // Nesting is not tracked: the ")" that ends the parameter closes it.
    EXPECT_EQ(Joined(Param(out, "PAREN", "OTHER")), "( 3 ) 4");
    EXPECT_TRUE(out.spec.getSubComObj("PAREN")->areParenUsed());

    const std::string wrong =
        "Parameter KEY of subcommand PAREN does not have a proper value "
        "type...";
    ExpectFailure(Parse("/PAREN KEY ( )"), ParseCodes::WrongValue, wrong);
    ExpectFailure(Parse("/PAREN KEY ( 1"), ParseCodes::WrongValue, wrong);
    ExpectFailure(Parse("/PAREN KEY ("), ParseCodes::WrongValue, wrong);
    ExpectFailure(Parse("/PAREN KEY ( 1 /EQ"), ParseCodes::WrongValue, wrong);
    // An operator that cannot follow the value.
    ExpectFailure(Parse("/PAREN KEY (1 ( x)"), ParseCodes::WrongValue, wrong);
}

TEST_F(UniversalParserParams, ParenthesesWhereTheGrammarSaysOtherwise) {
    ExpectFailure(Parse("/EQ KEY (1)"), ParseCodes::ParenNotAllowed,
                  "Parentheses cannot be used in subcommand EQ...");
    ExpectFailure(Parse("KEY (1)"), ParseCodes::ParenNotAllowed,
                  "Parentheses cannot be used in global subcommand...");
    const ParseOutcome out = Parse("/PAREN KEY = 1");
    ExpectFailure(out, ParseCodes::ParenRequired,
                  "Parentheses are required for non-default values in subcommand PAREN...");
    // The failing parameter stays in the tree.
    ASSERT_NE(Param(out, "PAREN", "KEY"), nullptr);
    EXPECT_EQ(Joined(Param(out, "PAREN", "KEY")), "1");
}

TEST_F(UniversalParserParams, RepeatedAndUnknownParameters) {
    const ParseOutcome out = Parse("/EQ KEY=1 KEY=2");
    ExpectFailure(out, ParseCodes::ParamRepeated, "Parameter KEY already used in subcommand EQ...");
    EXPECT_EQ(out.spec.getSubComObj("EQ")->getParamListSize(), 2u);
    ExpectFailure(Parse("/EQ FLAG FLAG"), ParseCodes::ParamRepeated,
                  "Parameter FLAG already used in subcommand EQ...");
    ExpectFailure(Parse("/EQ BOGUS=1"), ParseCodes::InvalidParam,
                  "BOGUS is not a valid parameter name in subcommand EQ...");
    ExpectFailure(Parse("/EQ 5"), ParseCodes::InvalidParam,
                  "5 is not a valid parameter name in subcommand EQ...");
    ExpectFailure(Parse("/EQ KEY * 3"), ParseCodes::WrongValue,
                  "Parameter KEY of subcommand EQ does not have a proper value type...");
    ExpectFailure(Parse("BOGUS=1"), ParseCodes::InvalidParam,
                  "BOGUS is not a valid parameter name in command PARAMS...");
}

TEST_F(UniversalParserParams, SquareBrackets) {
    ParseOutcome out = Parse("/EQ LIST = [1 2] FORLIST = a KEY = [3]");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(Joined(Param(out, "EQ", "LIST")), "1 2");
    EXPECT_TRUE(Param(out, "EQ", "LIST")->areBracketsUsed());
    EXPECT_EQ(Joined(Param(out, "EQ", "FORLIST")), "a");
    EXPECT_FALSE(Param(out, "EQ", "FORLIST")->areBracketsUsed());
    EXPECT_EQ(Joined(Param(out, "EQ", "KEY")), "[ 3 ]");  // brackets mean nothing to KEY

    out = Parse("/EQ FORLIST = [a b]");
    EXPECT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(Joined(Param(out, "EQ", "FORLIST")), "a b");

    ExpectFailure(Parse("/EQ LIST = 1 2"), ParseCodes::BracketsRequired,
                  "Square brackets required for parameter parameter LIST of subcommand EQ......");
    ExpectFailure(Parse("/EQ LIST = 1"), ParseCodes::BracketsRequired,
                  "Square brackets required for parameter parameter LIST of subcommand EQ......");
    ExpectFailure(Parse("/EQ FORLIST = a b"), ParseCodes::BracketsRequired,
                  "Square brackets required for parameter parameter FORLIST of subcommand "
                  "EQ......");
    ExpectFailure(Parse("/EQ LIST = [ ]"), ParseCodes::WrongValue,
                  "Parameter LIST of subcommand EQ does not have a proper value type...");
}

TEST_F(UniversalParserParams, SlashesInsideValues) {
    ParseOutcome out = Parse("/EQ PATH = a / b / 5 /PAREN KEY(1)");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(Joined(Param(out, "EQ", "PATH")), "a / b / 5");
    EXPECT_EQ(Joined(Param(out, "PAREN", "KEY")), "1");

    // Other values end at every "/".
    ExpectFailure(Parse("/EQ KEY = a / b"), ParseCodes::UnknownSubCom,
                  "B is not a valid subcommand name...");

    // The slash permission of the value just read still holds when the next subcommand's
    // name is passed, so a "/" right after that name is taken as content.
    ExpectFailure(Parse("/EQ PATH = x /PAREN / y"), ParseCodes::InvalidParam,
                  "/ is not a valid parameter name in subcommand PAREN...");
    ExpectFailure(Parse("/EQ KEY = x /PAREN / y"), ParseCodes::SubComEmpty,
                  "PAREN subcommand is empty...");
}

TEST_F(UniversalParserParams, QualifiersWrittenWithEqualSignsStayInTheValue) {
    const ParseOutcome out = Parse("/EQ SQ = A = 1 B = 2 KEY = 3");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(Joined(Param(out, "EQ", "SQ")), "A = 1 B = 2");
    EXPECT_EQ(Joined(Param(out, "EQ", "KEY")), "3");
}

TEST_F(UniversalParserParams, BlockOptions) {
    ParseOutcome out = Parse("/BLOCK NOVAL BYEQ = 1 OPTEQ BYPAREN (c BYEQ = d) OPTEQ = e f");
    ASSERT_EQ(out.code, ParseCodes::ParamRepeated)
        << ::testing::PrintToString(out.texts());  // OPTEQ twice

    out = Parse("/BLOCK NOVAL BYEQ = 1 OPTEQ BYPAREN (c BYEQ = d)");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_TRUE(Param(out, "BLOCK", "NOVAL")->isLeadingToken());
    EXPECT_EQ(Joined(Param(out, "BLOCK", "BYEQ")), "1");
    EXPECT_TRUE(Param(out, "BLOCK", "OPTEQ")->isLeadingToken());
    // Inside parentheses parameter names do not end the value.
    EXPECT_EQ(Joined(Param(out, "BLOCK", "BYPAREN")), "c BYEQ = d");
    EXPECT_TRUE(Param(out, "BLOCK", "BYPAREN")->areParenUsed());

    out = Parse("/BLOCK OPTEQ = a b BYEQ = c");
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(Joined(Param(out, "BLOCK", "OPTEQ")), "a b");

    // A word that is no parameter becomes the keyword's value, which a keyword cannot have.
    ExpectFailure(Parse("/BLOCK NOVAL junk"), ParseCodes::WrongValue,
                  "Keyword NOVAL in subcommand BLOCK cannot have any value...");
    ExpectFailure(Parse("/BLOCK BYEQ 1"), ParseCodes::WrongValue,
                  "Parameter BYEQ of subcommand BLOCK does not have a proper value type...");
    ExpectFailure(Parse("/BLOCK BYPAREN = 1"), ParseCodes::WrongValue,
                  "Parameter BYPAREN of subcommand BLOCK does not have a proper value type...");
    ExpectFailure(Parse("/BLOCK BYPAREN (a"), ParseCodes::WrongValue,
                  "Parameter BYPAREN of subcommand BLOCK does not have a proper value type...");
    // In blocks an unknown word is a value of the wrong form, not an invalid parameter.
    ExpectFailure(Parse("/BLOCK UNKNOWN = 1"), ParseCodes::WrongValue,
                  "Parameter UNKNOWN of subcommand BLOCK does not have a proper value type...");
}

TEST_F(UniversalParserParams, LeadingValuesByBlock) {
    ParseOutcome out = Parse("/LEADEQ = a b NAME = c /LEADPAREN (1 2) NAME = x /LEADOPT p q");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    const SubComObj* leadEq = out.spec.getSubComObj("LEADEQ");
    EXPECT_EQ(Joined(leadEq->exportParamObj()), "a b");
    EXPECT_EQ(Joined(leadEq->getParamObj("NAME")), "c");
    EXPECT_EQ(Joined(out.spec.getSubComObj("LEADPAREN")->exportParamObj()), "1 2");
    EXPECT_EQ(Joined(Param(out, "LEADPAREN", "NAME")), "x");
    EXPECT_EQ(Joined(out.spec.getSubComObj("LEADOPT")->exportParamObj()), "p q");

    out = Parse("/LEADEQ NAME = c /LEADOPT = r");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
    EXPECT_EQ(out.spec.getSubComObj("LEADEQ")->getTokenListSize(), 0u);
    EXPECT_EQ(Joined(out.spec.getSubComObj("LEADOPT")->exportParamObj()), "r");
    // "=" as the last token does not open a leading value that is optionally introduced.
    out = Parse("/LEADOPT =");
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    EXPECT_EQ(Joined(out.spec.getSubComObj("LEADOPT")->exportParamObj()), "=");

    ExpectFailure(Parse("/LEADEQ a"), ParseCodes::WrongValue,
                  "Subcommand LEADEQ does not have a proper value type...");
    ExpectFailure(Parse("/LEADEQ (a)"), ParseCodes::ParenNotAllowed,
                  "Parentheses cannot be used in subcommand LEADEQ...");
    ExpectFailure(Parse("/LEADPAREN = 1"), ParseCodes::ParenRequired,
                  "Parentheses are required for non-default values in subcommand LEADPAREN...");
    ExpectFailure(Parse("/LEADPAREN (1 2"), ParseCodes::WrongValue,
                  "Subcommand LEADPAREN does not have a proper value type...");
    ExpectFailure(Parse("/LEADPAREN (1 2 /LEADEQ = 3"), ParseCodes::WrongValue,
                  "Subcommand LEADPAREN does not have a proper value type...");
    ExpectFailure(Parse("/LEADPAREN (a ( NAME = 1)"), ParseCodes::WrongValue,
                  "Subcommand LEADPAREN does not have a proper value type...");

    out = Parse("/LEADPAREN (");
    EXPECT_EQ(out.code, ParseCodes::UnnamedFailure);
    EXPECT_THAT(out.texts(), IsEmpty());
}

// A subcommand that gives many of many declared parameters, around the sizes at which its
// list takes room ahead, keeps every one in written order with its value.
TEST(UniversalParserManyParams, EveryParameterOfALongRunInOrder) {
    constexpr int kDeclared = 600;
    CommandDescriptor grammar("MANY", "Many");
    SubComDescriptor sub("SUB", SubComByEqual);
    for (int i = 0; i < kDeclared; ++i) {
        sub.addParamDesc(ParamDescriptor("P" + std::to_string(i), ParamInteger));
    }
    grammar.addSubComDesc(sub);
    for (const int given : {63, 64, 65, 129, 300, kDeclared}) {
        SCOPED_TRACE(given);
        std::string text = "MANY /SUB";
        for (int i = 0; i < given; ++i) {
            // Written in an order of their own, so that a place is no declaration index.
            const int p = (i * 7) % kDeclared;
            text += " P" + std::to_string(p) + "=" + std::to_string(i);
        }
        const ParseOutcome out = ParseCommand(text, &grammar);
        ASSERT_EQ(out.code, ParseCodes::Parsed) << ::testing::PrintToString(out.texts());
        const SubComObj* parsed = out.spec.getSubComObj("SUB");
        ASSERT_EQ(parsed->getParamListSize(), static_cast<unsigned>(given));
        for (int i = 0; i < given; ++i) {
            const ParamObj* param = parsed->getParamObj(static_cast<unsigned>(i));
            ASSERT_EQ(param->getParamName(), "P" + std::to_string((i * 7) % kDeclared)) << i;
            ASSERT_EQ(Joined(param), std::to_string(i)) << i;
        }
    }
}

}  // namespace
