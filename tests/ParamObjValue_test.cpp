// canGetValue against every value type, and the compound readers behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "support/ParamValues.h"
#include "support/TempDir.h"
#include "support/Tokens.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserMessage.h"

namespace {

using namespace UPSpecTypes;
using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;
using testsupport::Part;
using testsupport::Value;

ParamDescriptor Desc(ParamSpec type, std::vector<std::string> words = {}) {
    ParamDescriptor desc("key", type);
    for (const std::string& word : words) {
        desc.addStringValue(word);
    }
    return desc;
}

// The texts the value diagnostics render to for parameter KEY of subcommand SUB.
const std::string kLocation = "parameter KEY of subcommand SUB...";
std::string Lacks(const std::string& what, const std::string& param = "KEY") {
    return "Parameter " + param + " of subcommand SUB does not have " + what + "...";
}
std::string WrongType(const std::string& param = "KEY") {
    return "Parameter " + param + " of subcommand SUB does not have a proper value type...";
}
std::string BadOption(const std::string& option) {
    return option + " is not a valid option for parameter " + kLocation + "...";
}
std::string Syntax(const std::string& symbol, const std::string& param = "KEY") {
    return "Invalid syntax detected in parameter " + param + ", symbol " + symbol +
           ", subcommand SUB ...";
}

class ValueCheck : public ::testing::Test {
  protected:
    AssertionResult Fits(const ParamObj& param, const ParamDescriptor& desc) const {
        refhost::MessageLog log;
        const bool fits = param.canGetValue(&desc, &msg);
        if (fits && log.messages().empty()) {
            return AssertionSuccess();
        }
        return AssertionFailure() << (fits ? "fits, yet reported: " : "rejected: ")
                                  << (log.messages().empty() ? "" : log.messages()[0].text);
    }

    // Rejected with exactly one diagnostic of that text, and silently without a message object.
    AssertionResult Misfit(const ParamObj& param, const ParamDescriptor& desc,
                           const std::string& expected) const {
        refhost::MessageLog log;
        if (param.canGetValue(&desc, &msg)) {
            return AssertionFailure() << "accepted";
        }
        if (log.messages().size() != 1) {
            return AssertionFailure() << log.messages().size() << " diagnostics";
        }
        if (log.messages()[0].text != expected) {
            return AssertionFailure() << "reported: " << log.messages()[0].text;
        }
        if (param.canGetValue(&desc, nullptr) || log.messages().size() != 1) {
            return AssertionFailure() << "differs without a message object";
        }
        return AssertionSuccess();
    }

    ParserMessage msg;
};

TEST_F(ValueCheck, KeywordAloneFitsEveryTypeWhoseValueIsOptional) {
    for (int type = ParamNoType; type <= ParamStringQualList; ++type) {
        ParamDescriptor desc = Desc(static_cast<ParamSpec>(type));
        desc.setValueRequired(false);
        EXPECT_TRUE(Fits(Value(""), desc)) << "type " << type;
    }
    EXPECT_TRUE(Fits(Value(""), Desc(ParamKeyWord)));
    EXPECT_TRUE(Misfit(Value("3"), Desc(ParamKeyWord),
                       "Keyword KEY in subcommand SUB cannot have any value..."));
    EXPECT_TRUE(Misfit(Value(""), Desc(ParamNumber), Lacks("a numerical value")));
    EXPECT_TRUE(Misfit(Value(""), Desc(ParamTokenList), WrongType()));
}

TEST_F(ValueCheck, Strings) {
    EXPECT_TRUE(Fits(Value("mean"), Desc(ParamString)));
    EXPECT_TRUE(Misfit(Value("3"), Desc(ParamString), Lacks("a string value")));
    EXPECT_TRUE(Misfit(Value("ALL"), Desc(ParamString), Lacks("a string value")));
    EXPECT_TRUE(Misfit(Value("a b"), Desc(ParamString), Lacks("a string value")));

    const ParamDescriptor words = Desc(ParamString, {"mean", "median", "all"});
    EXPECT_TRUE(Fits(Value("Median"), words));
    EXPECT_TRUE(Fits(Value("all"), words));  // an accepted reserved word, alone
    EXPECT_TRUE(Misfit(Value("mode"), words, BadOption("mode")));

    EXPECT_TRUE(Fits(Value("a ALL b"), Desc(ParamStringList)));
    EXPECT_TRUE(Misfit(Value("a 3"), Desc(ParamStringList), Lacks("a list of strings")));
    EXPECT_TRUE(Fits(Value("b a B"), Desc(ParamStringList, {"a", "b"})));
    EXPECT_TRUE(Misfit(Value("a c d"), Desc(ParamStringList, {"a", "b"}), BadOption("c")));
}

TEST_F(ValueCheck, Literals) {
    EXPECT_TRUE(Fits(Value("'text'"), Desc(ParamLiteral)));
    EXPECT_TRUE(Misfit(Value("text"), Desc(ParamLiteral),
                       "Parameter KEY of subcommand SUB does not have a quoted string..."));

    // Accepted words stand in for the literal; a literal is never compared with them.
    const ParamDescriptor words = Desc(ParamLiteral, {"default"});
    EXPECT_TRUE(Fits(Value("DEFAULT"), words));
    EXPECT_TRUE(Fits(Value("'anything'"), words));
    EXPECT_TRUE(Misfit(Value("other"), words, BadOption("other")));
    EXPECT_TRUE(Misfit(Value("3"), words, WrongType()));

    EXPECT_TRUE(Fits(Value("'a' \"b\""), Desc(ParamLiteralList)));
    EXPECT_TRUE(Misfit(Value("'a' b"), Desc(ParamLiteralList), Lacks("a list of literals")));
}

TEST_F(ValueCheck, NumbersAndBoundaries) {
    ParamDescriptor number = Desc(ParamNumber);
    number.setLowerBoundary(1, LowerIncluded);
    number.setUpperBoundary(10, UpperIncluded);
    EXPECT_TRUE(Fits(Value("10"), number));
    EXPECT_TRUE(Misfit(Value("10.5"), number,
                       "Value 10.5 breaks included lower boundary 1 or included upper boundary "
                       "10 for parameter " +
                           kLocation + "..."));
    EXPECT_TRUE(Misfit(Value("x"), number, Lacks("a numerical value")));
    EXPECT_TRUE(Misfit(Value("default"), Desc(ParamNumber), Lacks("a numerical value")));

    ParamDescriptor marker = number;
    marker.addStringValue("default");
    EXPECT_TRUE(Fits(Value("default"), marker));
    EXPECT_TRUE(Fits(Value("5"), marker));
    EXPECT_TRUE(Misfit(Value("default 5"), marker, WrongType()));
    EXPECT_TRUE(Misfit(Value("other"), marker, BadOption("other")));

    ParamDescriptor list = number;
    list.setParamType(ParamNumberList);
    EXPECT_TRUE(Fits(Value("1 2 10"), list));
    EXPECT_TRUE(Misfit(Value("1 x"), list, Lacks("a numerical list")));
    // The form is judged before the boundaries, also for a value outside them that comes first.
    EXPECT_TRUE(Misfit(Value("20 x"), list, Lacks("a numerical list")));
    EXPECT_TRUE(Misfit(Value("1 20 30"), list,
                       "Value 20 breaks included lower boundary 1 or included upper boundary 10 "
                       "for parameter " +
                           kLocation + "..."));
}

TEST_F(ValueCheck, IntegersAndBoundaries) {
    ParamDescriptor integer = Desc(ParamInteger);
    integer.setLowerBoundary(0, LowerExcluded);
    EXPECT_TRUE(Fits(Value("3"), integer));
    EXPECT_TRUE(Misfit(Value("0"), integer,
                       "Value 0 should be greater than 0 for parameter " + kLocation + "..."));
    EXPECT_TRUE(Misfit(Value("2.5"), integer, Lacks("an integer value")));
    integer.addStringValue("auto");
    EXPECT_TRUE(Fits(Value("Auto"), integer));
    EXPECT_TRUE(Misfit(Value("2.5"), integer, WrongType()));

    ParamDescriptor list = Desc(ParamIntegerList);
    list.setUpperBoundary(5, UpperExcluded);
    EXPECT_TRUE(Fits(Value("1 4"), list));
    EXPECT_TRUE(Misfit(Value("1 5"), list,
                       "Value 5 should be less than 5 for parameter " + kLocation + "..."));
    EXPECT_TRUE(Misfit(Value("1 1.5"), list, Lacks("an integer list")));
    EXPECT_TRUE(Misfit(Value("7 x"), list, Lacks("an integer list")));
}

TEST_F(ValueCheck, Variables) {
    EXPECT_TRUE(Fits(Value("age"), Desc(ParamVarName)));
    EXPECT_TRUE(Misfit(Value("ALL"), Desc(ParamVarName), Lacks("a variable name")));
    EXPECT_TRUE(Misfit(Value("age sex"), Desc(ParamVarName), Lacks("a variable name")));
    EXPECT_TRUE(Fits(Value("a b c"), Desc(ParamVarList)));
    EXPECT_TRUE(Misfit(Value("a TO c"), Desc(ParamVarList), Lacks("a variable list")));

    EXPECT_TRUE(Fits(Value("x BY y * z"), Desc(ParamCrossVarList)));
    const std::string cross =
        "Parameter KEY of subcommand SUB need variable names, using BY or *...";
    EXPECT_TRUE(Misfit(Value("x BY"), Desc(ParamCrossVarList), cross));
    EXPECT_TRUE(Misfit(Value("x TO y"), Desc(ParamCrossVarList), cross));

    EXPECT_TRUE(Fits(Value("A B ; 1 2 10 ; 3 4 20"), Desc(ParamVarCatList)));
    EXPECT_TRUE(Misfit(Value("A B"), Desc(ParamVarCatList), Lacks("a variable category list")));
}

TEST_F(ValueCheck, FilesAndOtherTypes) {
    const testsupport::TempDir dir;
    const std::string existing = dir.write("in.txt", "x\n");
    const std::string fresh = dir.file("out.txt");
    const std::string lost = dir.path() + "/no/dir/x.txt";
    const auto quoted = [](const std::string& path) { return Value("'" + path + "'"); };

    for (const ParamSpec type : {ParamFileSpec, ParamNewFileSpec, ParamAnyFileSpec}) {
        EXPECT_TRUE(Fits(quoted(existing), Desc(type))) << type;
        EXPECT_TRUE(Misfit(quoted(lost), Desc(type),
                           "File " + lost + " specified for " + kLocation + " has no access..."))
            << type;
        EXPECT_TRUE(Misfit(Value("a b"), Desc(type), WrongType())) << type;
    }
    EXPECT_TRUE(Fits(quoted(fresh), Desc(ParamNewFileSpec)));
    EXPECT_TRUE(Misfit(quoted(fresh), Desc(ParamFileSpec),
                       "File " + fresh + " specified for " + kLocation + " has no access..."));

    EXPECT_TRUE(Misfit(quoted(fresh), Desc(ParamSysFileIn),
                       "File " + fresh + " specified for " + kLocation + " has no access..."));
    EXPECT_TRUE(Fits(quoted(fresh), Desc(ParamSysFileOut)));

    EXPECT_TRUE(Fits(Value("a ( b"), Desc(ParamTokenList)));
    EXPECT_TRUE(Misfit(Value("a"), Desc(ParamNoType), WrongType()));
    EXPECT_TRUE(Value("a").canGetValue(nullptr, &msg));
}

// The check looks a type up in the traits table, which answers an unknown number with the
// traits of ParamNoType; such a grammar must still accept no value, not even an untyped one.
TEST_F(ValueCheck, TypeNumberOutsideTheEnumerationFitsNothing) {
    const ParamDescriptor unknown = Desc(static_cast<ParamSpec>(99));
    EXPECT_TRUE(Misfit(Value("a"), unknown, WrongType()));
    ParamObj untyped(TokenInfoObj(), ParamNoType);
    untyped.setSubComExtName("SUB");
    EXPECT_TRUE(Misfit(untyped, unknown, WrongType("SUB")));
    EXPECT_EQ(GetParamTypeTraits(static_cast<ParamSpec>(-1)).type, ParamNoType);
}

TEST_F(ValueCheck, WithoutKeywordTheSubcommandNamesTheValue) {
    ParamObj exported(TokenInfoObj(), ParamTokenList);
    exported.setSubComExtName("SUB");
    exported.setTokenList(TokensOf("x"));
    EXPECT_TRUE(Misfit(exported, Desc(ParamNumber), Lacks("a numerical value", "SUB")));
}

TEST_F(ValueCheck, ValuePartIntroducers) {
    const ParamDescriptor number = Desc(ParamNumberList);
    const auto part = [] {
        Part param(TokenOf("key"), ParamNoType);
        param.setParentName("PAR");
        param.setSubComExtName("SUB");
        return param;
    };
    refhost::MessageLog log;

    Part paren = part();
    ASSERT_TRUE(paren.parseTokenList(TokensOf("( 3 )"), QualifByParen, &number, &msg));
    EXPECT_TRUE(paren.isTokenList());
    EXPECT_TRUE(paren.areParenUsed());
    EXPECT_EQ(paren.getStringToken(), "3");

    Part open = part();
    EXPECT_FALSE(open.parseTokenList(TokensOf("( 3"), QualifByParen, &number, &msg));
    Part equal = part();
    EXPECT_FALSE(equal.parseTokenList(TokensOf("= 3"), QualifByParen, &number, &msg));
    ASSERT_EQ(log.messages().size(), 2U);
    EXPECT_EQ(log.messages()[0].text, WrongType("PAR KEY"));
    EXPECT_EQ(log.messages()[1].text, Syntax("=", "PAR"));  // names the parent, not the part
    log.clear();

    // By block, each block option decides which introducer may serve.
    struct Case {
        BlockOptions block;
        const char* text;
        bool fits;
        bool paren;
    };
    for (const Case& c :
         {Case{BlockNoValue, "3 4", true, false}, Case{BlockNoValue, "= 3", false, false},
          Case{BlockByEqual, "= 3", true, false}, Case{BlockByEqual, "( 3 )", false, false},
          Case{BlockByEqual, "3", false, false}, Case{BlockOptEqual, "= 3", true, false},
          Case{BlockOptEqual, "3", true, false}, Case{BlockByParen, "( 3 )", true, true},
          Case{BlockByParen, "= 3", true, false}, Case{BlockByParen, "3", false, false}}) {
        ParamDescriptor desc = number;
        desc.setBlockOption(c.block);
        Part param = part();
        EXPECT_EQ(param.parseTokenList(TokensOf(c.text), QualifByBlock, &desc, nullptr), c.fits)
            << c.block << " " << c.text;
        EXPECT_EQ(param.areParenUsed(), c.paren) << c.block << " " << c.text;
    }

    // Without a descriptor either introducer serves, and one is always expected.
    Part free = part();
    EXPECT_TRUE(free.parseTokenList(TokensOf("= a b"), QualifByParen, nullptr, &msg));
    EXPECT_EQ(free.getTokenListSize(), 2U);
    Part bare = part();
    EXPECT_FALSE(bare.parseTokenList(TokensOf("a"), QualifByParen, nullptr, &msg));
    Part none = part();
    EXPECT_TRUE(none.parseTokenList({}, QualifByParen, nullptr, &msg));
    EXPECT_TRUE(none.isLeadingToken());
    Part required = part();
    EXPECT_FALSE(required.parseTokenList({}, QualifByParen, &number, &msg));
    Part keyword = part();
    const ParamDescriptor keywordDesc = Desc(ParamKeyWord);
    EXPECT_FALSE(keyword.parseTokenList(TokensOf("= x"), QualifByEqual, &keywordDesc, &msg));
    ASSERT_EQ(log.messages().size(), 3U);
    EXPECT_EQ(log.messages()[0].text, Syntax("a", "PAR"));
    EXPECT_EQ(log.messages()[1].text, WrongType("PAR KEY"));
    EXPECT_EQ(log.messages()[2].text,
              "Token PAR KEY in subcommand SUB cannot have any qualifier...");
}

TEST_F(ValueCheck, ValuePartBrackets) {
    ParamDescriptor desc = Desc(ParamNumberList);
    desc.setBlockOption(BlockNoValue);
    desc.setBracketOption(BracketForList);
    refhost::MessageLog log;

    Part one(TokenOf("key"), ParamNoType);
    EXPECT_TRUE(one.parseTokenList(TokensOf("1"), QualifByBlock, &desc, &msg));
    EXPECT_FALSE(one.areBracketsUsed());

    Part two(TokenOf("key"), ParamNoType);
    two.setSubComExtName("SUB");
    EXPECT_FALSE(two.parseTokenList(TokensOf("1 2"), QualifByBlock, &desc, &msg));
    ASSERT_EQ(log.messages().size(), 1U);
    EXPECT_EQ(log.messages()[0].text,
              "Square brackets required for parameter " + kLocation + "...");

    Part bracketed(TokenOf("key"), ParamNoType);
    ASSERT_TRUE(bracketed.parseTokenList(TokensOf("[ 1 2 ]"), QualifByBlock, &desc, &msg));
    EXPECT_TRUE(bracketed.areBracketsUsed());
    std::vector<double> numbers;
    ASSERT_TRUE(bracketed.getNumberList(numbers));
    EXPECT_EQ(numbers, (std::vector<double>{1, 2}));

    desc.setBracketOption(BracketRequired);
    Part bare(TokenOf("key"), ParamNoType);
    EXPECT_FALSE(bare.parseTokenList(TokensOf("1"), QualifByBlock, &desc, nullptr));
    Part empty(TokenOf("key"), ParamNoType);
    empty.setSubComExtName("SUB");
    log.clear();
    EXPECT_FALSE(empty.parseTokenList(TokensOf("[ ]"), QualifByBlock, &desc, &msg));
    ASSERT_EQ(log.messages().size(), 1U);
    EXPECT_EQ(log.messages()[0].text, WrongType());
}

class KeywordValue : public ValueCheck {
  protected:
    KeywordValue() : desc("key", ParamKeyWordValue) {
        const ParamDescriptor statistic = Desc(ParamString, {"mean", "median"});
        ParamDescriptor answer("value", ParamString);
        answer.addStringValue("yes");
        answer.addStringValue("no");
        desc.setMainQualDesc(&statistic, &answer);
        desc.setQualifOption(QualifByEqual);
    }
    ParamDescriptor desc;
};

TEST_F(KeywordValue, KeywordPartThenValuePart) {
    EXPECT_TRUE(Fits(Value("mean = yes"), desc));
    ParamObj keyword;
    ParamObj value;
    ASSERT_TRUE(Value("mean = yes").getKeywordAndValue(keyword, value, &desc, &msg));
    EXPECT_EQ(keyword.getStringToken(), "mean");
    EXPECT_EQ(keyword.getParamExtName(), "KEY");
    EXPECT_EQ(value.getStringToken(), "yes");
    EXPECT_EQ(value.getParentName(), "KEY mean");  // named after the keyword it follows
    EXPECT_EQ(value.getSubComExtName(), "SUB");
    EXPECT_FALSE(value.areParenUsed());

    desc.setQualifOption(QualifByParen);
    EXPECT_TRUE(Fits(Value("mean ( no )"), desc));
    EXPECT_TRUE(Misfit(Value("mean = no"), desc, Syntax("=", "KEY mean")));
}

TEST_F(KeywordValue, ValueIntroducedByBlockOption) {
    ParamDescriptor answer = *desc.getQualifDesc();
    answer.setBlockOption(BlockNoValue);
    desc.setQualifDesc(&answer);
    desc.setQualifOption(QualifByBlock);
    EXPECT_TRUE(Fits(Value("median no"), desc));
    EXPECT_TRUE(Misfit(Value("median = no"), desc, Lacks("a string value")));

    // A value descriptor of the same name leaves the value named as the parameter itself.
    answer.setParamName("KEY");
    desc.setQualifDesc(&answer);
    ParamObj keyword;
    ParamObj value;
    ASSERT_TRUE(Value("mean yes").getKeywordAndValue(keyword, value, &desc, &msg));
    EXPECT_EQ(value.getParamExtName(), "KEY");
}

TEST_F(KeywordValue, Misfits) {
    EXPECT_TRUE(Misfit(Value("mean = maybe"), desc, Lacks("a string value")));
    EXPECT_TRUE(Misfit(Value("mode = yes"), desc, BadOption("mode")));
    EXPECT_TRUE(Misfit(Value("= yes"), desc, WrongType()));
    EXPECT_TRUE(Misfit(Value("mean"), desc, WrongType("KEY mean")));
    EXPECT_TRUE(Misfit(Value(""), desc, WrongType()));
}

class TokenQual : public ValueCheck {
  protected:
    TokenQual() : desc("key", ParamTokenQual) {
        const ParamDescriptor variable("", ParamVarName);
        const ParamDescriptor count("", ParamNumber);
        desc.setMainQualDesc(&variable, &count);
    }
    ParamDescriptor desc;
};

TEST_F(TokenQual, LeadingTokenAndItsQualifiers) {
    EXPECT_TRUE(Fits(Value("age ( 5 )"), desc));
    ParamObj token;
    ParamObj qualifiers;
    ASSERT_TRUE(Value("age ( 5 )").getTokenAndQual(token, qualifiers, &desc, &msg));
    EXPECT_EQ(token.getStringToken(), "age");
    EXPECT_EQ(token.getParamName(), "KEY");
    EXPECT_EQ(token.getSubComExtName(), "SUB");
    EXPECT_EQ(qualifiers.getStringToken(), "5");
    EXPECT_TRUE(qualifiers.areParenUsed());

    // Only the subcommand names the qualifiers of a leading token.
    EXPECT_TRUE(Misfit(Value("age"), desc, WrongType("SUB")));
    EXPECT_TRUE(Misfit(Value("3 ( 5 )"), desc, Lacks("a variable name")));
    EXPECT_TRUE(Misfit(Value("age = 5"), desc, Syntax("=")));
    // The qualifier part is an object of its own, with no names given to it.
    EXPECT_TRUE(Misfit(Value("age ( x )"), desc,
                       "Parameter  of subcommand  does not have a numerical value..."));

    ParamDescriptor keywordOnly = desc;
    const ParamDescriptor none("", ParamKeyWord);
    keywordOnly.setQualifDesc(&none);
    EXPECT_TRUE(Fits(Value("age"), keywordOnly));
    EXPECT_TRUE(Misfit(Value("age ( 5 )"), keywordOnly,
                       "Token SUB in subcommand SUB cannot have any qualifier..."));
}

class StringQual : public ValueCheck {
  protected:
    StringQual() : desc("key", ParamStringQual) {
        desc.addQualifDesc(ParamDescriptor("cut", ParamNumber));
        desc.addQualifDesc("flag");
    }
    ParamDescriptor desc;
};

TEST_F(StringQual, QualifierNameThenItsValue) {
    EXPECT_TRUE(Fits(Value("cut ( 5 )"), desc));
    ParamObj qualifier;
    ASSERT_TRUE(Value("Cut ( 5 )").getStringAndQual(qualifier, &desc, &msg));
    EXPECT_EQ(qualifier.getParamExtName(), "KEY CUT");
    EXPECT_EQ(qualifier.getStringToken(), "5");

    ASSERT_TRUE(Value("flag").getStringAndQual(qualifier, &desc, &msg));
    EXPECT_TRUE(qualifier.isLeadingToken());

    EXPECT_TRUE(Misfit(Value("flag ( 1 )"), desc,
                       "Token KEY FLAG in subcommand SUB cannot have any qualifier..."));
    EXPECT_TRUE(Misfit(Value("cut"), desc, WrongType("KEY CUT")));
    EXPECT_TRUE(Misfit(Value("cut ( x )"), desc, Lacks("a numerical value", "KEY CUT")));
    // A malformed value part is reported for the whole parameter.
    EXPECT_TRUE(Misfit(Value("cut ( 5 ) 6"), desc, WrongType()));
    EXPECT_TRUE(Misfit(Value("size ( 1 )"), desc, BadOption("size")));

    ParamDescriptor bracketed = desc;
    ParamDescriptor cut("cut", ParamNumberList);
    cut.setBracketOption(BracketRequired);
    bracketed.addQualifDesc(cut);
    EXPECT_TRUE(Fits(Value("cut ( [ 1 2 ] )"), bracketed));
    EXPECT_TRUE(Misfit(Value("cut ( 1 2 )"), bracketed,
                       "Square brackets required for parameter parameter KEY CUT of subcommand "
                       "SUB......"));
    EXPECT_TRUE(Misfit(Value("3 ( 1 )"), desc, Syntax("3")));

    // An output that is the object being read gets the value all the same.
    ParamObj self = Value("cut ( 7 )");
    ASSERT_TRUE(self.getStringAndQual(self, &desc, &msg));
    EXPECT_EQ(self.getStringToken(), "7");
}

class StringQualList : public ValueCheck {
  protected:
    StringQualList() : desc("key", ParamStringQualList) {
        desc.addQualifDesc(ParamDescriptor("a", ParamNumber));
        desc.addQualifDesc(ParamDescriptor("b", ParamNumber, true));
        desc.setQualifOption(QualifByEqual);
    }
    ParamDescriptor desc;
};

TEST_F(StringQualList, ItemsSplitByTheQualifierOption) {
    std::vector<ParamObj> items;
    ASSERT_TRUE(Value("a = 1 b = 2").getStringQualList(items, &desc, &msg));
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].getParamExtName(), "KEY A");
    EXPECT_EQ(items[0].getStringToken(), "1");
    EXPECT_EQ(items[1].getParamExtName(), "KEY B");
    EXPECT_EQ(items[1].getStringToken(), "2");

    desc.setQualifOption(QualifByParen);
    EXPECT_TRUE(Fits(Value("b ( 2 ) a ( 1 )"), desc));

    ParamDescriptor byBlock("key", ParamStringQualList);
    ParamDescriptor a("a", ParamNumberList);
    a.setBlockOption(BlockNoValue);
    byBlock.addQualifDesc(a);
    a.setParamName("b");
    byBlock.addQualifDesc(a);
    byBlock.setQualifOption(QualifByBlock);
    ASSERT_TRUE(Value("a 1 2 b 3").getStringQualList(items, &byBlock, &msg));
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].getTokenListSize(), 2U);
}

TEST_F(StringQualList, Misfits) {
    EXPECT_TRUE(
        Misfit(Value("a = 1 A = 2"), desc, "Parameter KEY A already used in subcommand SUB..."));
    // Arguments in the order qualifier, display name, subcommand: the catalog text puts the
    // subcommand name where the qualifier is expected.
    EXPECT_TRUE(Misfit(Value("a = 1"), desc,
                       "Qualifier SUB required for parameter B in subcommand KEY..."));
    EXPECT_TRUE(Misfit(Value("c = 1"), desc, BadOption("c")));
    EXPECT_TRUE(Misfit(Value("b = 1 2"), desc, Lacks("a numerical value", "KEY B")));

    // No items at all: nothing is required.
    std::vector<ParamObj> items(1);
    EXPECT_TRUE(Value("").getStringQualList(items, &desc, &msg));
    EXPECT_TRUE(items.empty());
}

TEST(CrossVarList, SeparatorsAreDropped) {
    std::vector<TavoVarName> names{"stale"};
    ASSERT_TRUE(Value("x BY y * z").getCrossVarList(names));
    EXPECT_EQ(names, (std::vector<TavoVarName>{"x", "y", "z"}));
    EXPECT_FALSE(Value("x BY").getCrossVarList(names));
    EXPECT_EQ(names, std::vector<TavoVarName>{"x"});
    EXPECT_FALSE(Value("x TO y").getCrossVarList(names));
    EXPECT_FALSE(Value("x BY 3").getCrossVarList(names));

    names = {"kept"};
    EXPECT_FALSE(Value("").getCrossVarList(names));
    EXPECT_EQ(names, std::vector<TavoVarName>{"kept"});
}

TEST(CategoryList, GroupsOfSeparatorValuesAndCode) {
    VarCatList list;
    ASSERT_TRUE(Value("A B ; 1 2 10 ; 3 4 20").getVarCatList(list));
    EXPECT_EQ(list.getVarListSize(), 2U);
    EXPECT_EQ(list.getMapSize(), 2U);
    ASSERT_NE(list.getCatValue({"3", "4"}), nullptr);
    EXPECT_EQ(*list.getCatValue({"3", "4"}), 20);
    EXPECT_EQ(list.getMinValue(), 10);  // the summary is refreshed
    EXPECT_EQ(list.getMaxValue(), 20);

    VarCatList words;
    ASSERT_TRUE(Value("A ; x 1 ; 'y z' 2").getVarCatList(words));
    EXPECT_TRUE(words.findCatList({"y z"}));

    for (const char* text :
         {"A B", "A B ; 1 2", "A B ; 1 ; 2", "A B 1 2 10", "; 1 2", "A B ; 1 2 x", "A ; ( 1"}) {
        VarCatList rejected;
        EXPECT_FALSE(Value(text).getVarCatList(rejected)) << text;
    }

    ParamObj stored(TokenOf("key"), ParamVarCatList);
    ASSERT_TRUE(stored.setVarCatList(list));
    VarCatList copy;
    ASSERT_TRUE(stored.getVarCatList(copy));
    EXPECT_EQ(copy.getMapSize(), 2U);
}

// Broken grammars and calls stop with the condition named; command text never gets here.
TEST(ParamObjDeathTest, BrokenGrammarsAreAssertions) {
    ParserMessage msg;
    ParamDescriptor noMain("key", ParamKeyWordValue);
    const ParamDescriptor value("value", ParamString);
    noMain.setQualifDesc(&value);
    EXPECT_DEATH(Value("a").canGetValue(&noMain, &msg),
                 "ParamObj: assertion failed: keywordDesc != 0");

    ParamDescriptor noValue("key", ParamKeyWordValue);
    noValue.setMainDesc(&value);
    EXPECT_DEATH(Value("a").canGetValue(&noValue, &msg),
                 "ParamObj: assertion failed: valueDesc != 0");

    const ParamDescriptor noQualifiers("key", ParamStringQualList);
    EXPECT_DEATH(Value("a").canGetValue(&noQualifiers, &msg),
                 "ParamObj: assertion failed: nQuals > 0");

    std::vector<ParamObj> items;
    EXPECT_DEATH(Value("a").getStringQualList(items, nullptr, &msg),
                 "ParamObj: assertion failed: pDescript != 0");
}

}  // namespace
