#include "uparser/ParamObj.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "refhost/CaseFiles.h"
#include "refhost/MessageLog.h"
#include "support/Messages.h"
#include "support/ParamValues.h"
#include "support/TempDir.h"
#include "support/Tokens.h"
#include "uparser/ParserMessage.h"

namespace {

using namespace UPSpecTypes;
using Strings = std::vector<std::string>;
using testsupport::TakeOnly;
using testsupport::Value;

static_assert(std::is_nothrow_move_constructible_v<ParamObj>);
static_assert(std::is_nothrow_move_assignable_v<ParamObj>);

ParamObj Stored(ParamSpec type) {
    return ParamObj(TokenOf("key"), type);
}

TEST(ParamObj, NewObjectsAndClear) {
    ParamObj param;
    EXPECT_TRUE(param.isNoType());
    EXPECT_EQ(param.getParamName(), "");
    EXPECT_EQ(param.getTokenListSize(), 0U);

    ParamObj filled = Value("1 2");
    filled.setParentName("PARENT");
    filled.setParenUsed();
    filled.setBracketsUsed(true);
    filled.clear();
    EXPECT_TRUE(filled.isNoType());
    EXPECT_EQ(filled.getParamName(), "");
    EXPECT_EQ(filled.getParentName(), "");
    EXPECT_EQ(filled.getSubComExtName(), "");
    EXPECT_FALSE(filled.areParenUsed());
    EXPECT_FALSE(filled.isValidTokenIndex(0));
    EXPECT_TRUE(filled.areBracketsUsed());  // the one flag clear() keeps
}

TEST(ParamObj, NamesForDiagnostics) {
    ParamObj param(TokenOf("limit"), ParamKeyWord);
    EXPECT_TRUE(param.isLeadingToken());
    EXPECT_EQ(param.getParamName(), "LIMIT");
    EXPECT_EQ(param.getParamExtName(), "LIMIT");
    param.setParentName("TABLES/FORMAT");
    EXPECT_EQ(param.getParamExtName(), "TABLES/FORMAT LIMIT");

    ParamObj unnamed;
    unnamed.setParentName("TABLES");
    EXPECT_EQ(unnamed.getParamExtName(), "TABLES");
}

TEST(ParamObj, SettersStoreOnlyIntoTheCurrentType) {
    ParamObj tokens = Value("7");
    EXPECT_FALSE(tokens.setNumberValue(3.0));
    EXPECT_FALSE(tokens.setStringGeneric("x"));
    EXPECT_FALSE(tokens.setVarName("x"));
    EXPECT_TRUE(tokens.isTokenList());
    double number = 0;
    ASSERT_TRUE(tokens.getNumberValue(number));
    EXPECT_EQ(number, 7);

    ParamObj numberParam = Stored(ParamNumber);
    EXPECT_FALSE(numberParam.setTokenList(TokensOf("1")));
    EXPECT_FALSE(numberParam.addTokenObj(TokenOf("x")));
    EXPECT_TRUE(numberParam.setNumberValue(2.5));
    ASSERT_TRUE(numberParam.getNumberValue(number));
    EXPECT_EQ(number, 2.5);
    EXPECT_EQ(numberParam.getType(), ParamNumber);

    ParamObj stringParam = Stored(ParamString);
    EXPECT_TRUE(stringParam.setStringGeneric("Mean"));
    std::string text;
    ASSERT_TRUE(stringParam.getUpStringGeneric(text));
    EXPECT_EQ(text, "MEAN");
    EXPECT_TRUE(stringParam.isStringValueCase("mean"));
    EXPECT_FALSE(stringParam.isStringValueCase("median"));

    ParamObj list = Stored(ParamTokenList);
    EXPECT_TRUE(list.addTokenObj(TokenOf("a")));
    EXPECT_TRUE(list.addTokenObj(TokenOf("b")));
    EXPECT_EQ(list.getTokenListSize(), 2U);
    EXPECT_TRUE(list.setTokenList(TokensOf("c")));  // replaces
    EXPECT_EQ(list.getStringToken(), "c");
}

// A typed object that was never given a value reads the initial value of its type.
TEST(ParamObj, TypedValuesNeverStoredReadAsInitial) {
    double number = -1;
    EXPECT_TRUE(Stored(ParamNumber).getNumberValue(number));
    EXPECT_EQ(number, 0.0);
    std::vector<double> numbers{5, 6};
    EXPECT_TRUE(Stored(ParamNumber).getNumberList(numbers));
    EXPECT_EQ(numbers, std::vector<double>{0.0});
    EXPECT_FALSE(Stored(ParamNumberList).getNumberValue(number));
    EXPECT_TRUE(Stored(ParamNumberList).getNumberList(numbers));
    EXPECT_TRUE(numbers.empty());

    int integer = -1;
    EXPECT_TRUE(Stored(ParamInteger).getIntegerValue(integer));
    EXPECT_EQ(integer, 0);

    std::string text = "old";
    EXPECT_TRUE(Stored(ParamString).getStringGeneric(text));
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_TRUE(Stored(ParamLiteral).getLiteral(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(Stored(ParamString).getFilePath(text, false, false));

    TavoVarName name("old");
    EXPECT_FALSE(Stored(ParamString).getVarName(name));  // "" is no name
    EXPECT_TRUE(Stored(ParamVarName).getVarName(name));
    EXPECT_TRUE(name.empty());
    std::vector<TavoVarName> names{TavoVarName("x")};
    EXPECT_TRUE(Stored(ParamVarList).getVarList(names));
    EXPECT_TRUE(names.empty());

    Strings strings{"kept"};
    EXPECT_TRUE(Stored(ParamStringList).getUpStringList(strings));
    EXPECT_TRUE(strings.empty());
    VarCatList cats(TavoVarName("a"));
    EXPECT_TRUE(Stored(ParamVarCatList).getVarCatList(cats));
    EXPECT_EQ(cats.getVarListSize(), 0U);
}

// Values of other types stay across type changes, copies own theirs, clear() drops them.
TEST(ParamObj, StoredValuesFollowTypeChangesCopiesAndClear) {
    ParamObj param = Stored(ParamNumber);
    ASSERT_TRUE(param.setNumberValue(2.5));
    param.setType(ParamStringList);
    ASSERT_TRUE(param.setStringList({"a", "b"}));
    param.setType(ParamTokenList);
    ASSERT_TRUE(param.addTokenObj(TokenOf("t")));

    const ParamObj copy(param);
    ParamObj assignedOverValues = Stored(ParamLiteral);
    ASSERT_TRUE(assignedOverValues.setLiteral("gone"));
    assignedOverValues = param;
    ParamObj assignedOverNothing;
    assignedOverNothing = param;

    param.setType(ParamNumber);
    double number = 0;
    ASSERT_TRUE(param.getNumberValue(number));
    EXPECT_EQ(number, 2.5);
    ASSERT_TRUE(param.setNumberValue(7));
    param.setType(ParamStringList);
    ASSERT_TRUE(param.setStringList({"changed"}));

    for (ParamObj other : {copy, assignedOverValues, assignedOverNothing}) {
        EXPECT_EQ(other.getStringToken(), "t");
        other.setType(ParamNumber);
        ASSERT_TRUE(other.getNumberValue(number));
        EXPECT_EQ(number, 2.5);
        other.setType(ParamStringList);
        Strings strings;
        ASSERT_TRUE(other.getStringList(strings));
        EXPECT_EQ(strings, (Strings{"a", "b"}));
        other.setType(ParamLiteral);
        std::string literal = "x";
        ASSERT_TRUE(other.getLiteral(literal));
        EXPECT_EQ(literal, "");
    }

    param.clear();
    param.setType(ParamNumber);
    ASSERT_TRUE(param.getNumberValue(number));
    EXPECT_EQ(number, 0.0);
}

TEST(ParamObj, OneTokenRuleForSimpleValues) {
    double number = -1;
    int integer = -1;
    ParamObj three = Value("3.0");
    ASSERT_TRUE(three.getNumberValue(number));
    ASSERT_TRUE(three.getIntegerValue(integer));
    EXPECT_EQ(number, 3.0);
    EXPECT_EQ(integer, 3);

    EXPECT_FALSE(Value("2.5").getIntegerValue(integer));
    EXPECT_FALSE(Value("2147483648").getIntegerValue(integer));
    EXPECT_EQ(integer, 3);  // outputs stay as they were on false

    std::string text = "unchanged";
    EXPECT_FALSE(Value("word").getNumberValue(number));
    EXPECT_FALSE(Value("word").getIntegerValue(integer));
    EXPECT_FALSE(Value("1 2").getNumberValue(number));
    EXPECT_FALSE(Value("'lit'").getStringGeneric(text));
    EXPECT_FALSE(Value("ALL").getStringGeneric(text));  // a reserved word is no string value
    EXPECT_FALSE(Value("a b").getStringGeneric(text));
    EXPECT_EQ(text, "unchanged");

    bool isLiteral = false;
    ASSERT_TRUE(Value("'It''s'").getStringOrLiteral(text, isLiteral));
    EXPECT_EQ(text, "It's");
    EXPECT_TRUE(isLiteral);
    ASSERT_TRUE(Value("word").getStringOrLiteral(text, isLiteral));
    EXPECT_EQ(text, "word");
    EXPECT_FALSE(isLiteral);
    ASSERT_TRUE(Value("word").getUpStringGeneric(text));
    EXPECT_EQ(text, "WORD");
    EXPECT_EQ(Value("word").getUpStringToken(), "WORD");
    EXPECT_EQ(Value("a b").getStringToken(), "");

    // Single stored list elements answer the single-value getters.
    ParamObj numbers = Stored(ParamNumberList);
    numbers.setNumberList({4.5});
    ASSERT_TRUE(numbers.getNumberValue(number));
    EXPECT_EQ(number, 4.5);
    numbers.setNumberList({4.5, 5});
    EXPECT_FALSE(numbers.getNumberValue(number));
    ParamObj integers = Stored(ParamIntegerList);
    integers.setIntegerList({9});
    ASSERT_TRUE(integers.getIntegerValue(integer));
    EXPECT_EQ(integer, 9);
}

TEST(ParamObj, VariableNames) {
    TavoVarName name;
    ASSERT_TRUE(Value("age").getVarName(name));
    EXPECT_EQ(name.str(), "age");
    EXPECT_FALSE(Value("TO").getVarName(name));
    EXPECT_FALSE(Value("3").getVarName(name));

    ParamObj valid = Stored(ParamString);
    valid.setStringGeneric("income");
    ASSERT_TRUE(valid.getVarName(name));
    EXPECT_EQ(name.str(), "income");
    std::vector<TavoVarName> names{"stale"};
    ASSERT_TRUE(valid.getVarList(names));
    EXPECT_EQ(names, std::vector<TavoVarName>{"income"});

    ParamObj invalid = Stored(ParamString);
    invalid.setStringGeneric("1abc");
    EXPECT_FALSE(invalid.getVarName(name));
    EXPECT_FALSE(invalid.getVarList(names));
    EXPECT_TRUE(names.empty());

    ASSERT_TRUE(Value("a b c").getVarList(names));
    EXPECT_EQ(names, (std::vector<TavoVarName>{"a", "b", "c"}));
    EXPECT_FALSE(Value("a ALL c").getVarList(names));
    EXPECT_EQ(names, std::vector<TavoVarName>{"a"});

    ParamObj stored = Stored(ParamVarList);
    stored.setVarList({"x"});
    ASSERT_TRUE(stored.getVarName(name));
    EXPECT_EQ(name.str(), "x");
}

TEST(ParamObj, StringListsAppendNumberListsStartEmpty) {
    Strings words{"stale"};
    ASSERT_TRUE(Value("a ALL b").getStringList(words));
    EXPECT_EQ(words, (Strings{"stale", "a", "ALL", "b"}));
    EXPECT_FALSE(Value("c 1 d").getStringList(words));
    EXPECT_EQ(words.back(), "c");
    EXPECT_TRUE(Stored(ParamTokenList).getStringList(words));  // no tokens: nothing to refuse

    Strings upper{"stale"};
    ASSERT_TRUE(Value("a b").getUpStringList(upper));
    EXPECT_EQ(upper, (Strings{"stale", "A", "B"}));
    ParamObj storedWords = Stored(ParamStringList);
    storedWords.setStringList({"x", "Y"});
    ASSERT_TRUE(storedWords.getUpStringList(upper));
    EXPECT_EQ(upper, (Strings{"X", "Y"}));
    ASSERT_TRUE(storedWords.getStringList(upper));
    EXPECT_EQ(upper, (Strings{"x", "Y"}));

    Strings literals;
    ASSERT_TRUE(Value("'a' \"b\"").getLiteralList(literals));
    EXPECT_EQ(literals, (Strings{"a", "b"}));
    EXPECT_FALSE(Value("'c' d").getLiteralList(literals));
    EXPECT_EQ(literals, (Strings{"a", "b", "c"}));

    std::vector<double> numbers{99, 98};
    ASSERT_TRUE(Value("1 2.5").getNumberList(numbers));
    EXPECT_EQ(numbers, (std::vector<double>{1, 2.5}));
    EXPECT_FALSE(Value("3 x").getNumberList(numbers));
    EXPECT_EQ(numbers, std::vector<double>{3});
    EXPECT_FALSE(Stored(ParamString).getNumberList(numbers));
    EXPECT_TRUE(numbers.empty());
    ParamObj single = Stored(ParamNumber);
    single.setNumberValue(6);
    ASSERT_TRUE(single.getNumberList(numbers));
    EXPECT_EQ(numbers, std::vector<double>{6});

    std::vector<int> integers{99};
    ASSERT_TRUE(Value("1 2").getIntegerList(integers));
    EXPECT_EQ(integers, (std::vector<int>{1, 2}));
    EXPECT_FALSE(Value("1 2.5").getIntegerList(integers));
    EXPECT_EQ(integers, std::vector<int>{1});
    ParamObj integer = Stored(ParamInteger);
    integer.setIntegerValue(-4);
    ASSERT_TRUE(integer.getIntegerList(integers));
    EXPECT_EQ(integers, std::vector<int>{-4});

    std::vector<TokenInfoObj> tokens;
    EXPECT_FALSE(integer.getTokenList(tokens));
    ASSERT_TRUE(Value("a = 1").getTokenList(tokens));
    EXPECT_EQ(tokens.size(), 3U);
}

TEST(ParamObj, TokenQueries) {
    const ParamObj param = Value("( a");
    EXPECT_TRUE(param.isValidTokenIndex(1));
    EXPECT_FALSE(param.isValidTokenIndex(2));
    EXPECT_EQ(param.getTokenObj(2), nullptr);
    ASSERT_NE(param.getTokenObj(1), nullptr);
    EXPECT_STREQ(param.getTokenObj(1)->getString(), "a");

    EXPECT_TRUE(Value("(").isOperatorValue(TokenSequenceBase::LeftParen));
    EXPECT_FALSE(Value("( (").isOperatorValue(TokenSequenceBase::LeftParen));
    EXPECT_TRUE(Value("BY").isOperatorValue(TokenSequenceBase::ByWord));
    EXPECT_FALSE(Value("word").isOperatorValue(TokenSequenceBase::NoOperator));
}

class ParamObjFiles : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    ParserMessage msg;
};

TEST_F(ParamObjFiles, FilePathFlagPairs) {
    const std::string existing = dir.write("data.txt", "x\n");
    const std::string fresh = dir.file("new.txt");
    const std::string lost = dir.path() + "/no/such/dir/file.txt";

    ParamObj literal = Stored(ParamLiteral);
    literal.setLiteral(existing);
    std::string path;
    EXPECT_TRUE(literal.getFilePath(path, false, true));
    EXPECT_EQ(path, existing);
    EXPECT_TRUE(literal.getFilePath(path, true, true));
    EXPECT_TRUE(literal.getFilePath(path, false, false));

    // A file still to be made passes only the check for a file to be created.
    literal.setLiteral(fresh);
    EXPECT_TRUE(literal.getFilePath(path, true, true));
    EXPECT_EQ(path, fresh);
    EXPECT_FALSE(literal.getFilePath(path, false, true));
    EXPECT_FALSE(literal.getFilePath(path, false, false));

    // A rejected path comes back as written, so that it can be named.
    literal.setLiteral(lost);
    EXPECT_FALSE(literal.getFilePath(path, true, true));
    EXPECT_EQ(path, lost);

    ParamObj token = Value("'" + existing + "'");
    EXPECT_TRUE(token.getFilePath(path, false, true));
    EXPECT_EQ(path, existing);
    EXPECT_FALSE(Value("3").getFilePath(path, false, false));
    EXPECT_EQ(path, "3");
    EXPECT_FALSE(Value("a b").getFilePath(path, false, false));
    EXPECT_EQ(path, "");
    EXPECT_FALSE(Stored(ParamNumber).getFilePath(path, false, false));
}

TEST_F(ParamObjFiles, CaseFileToRead) {
    const std::string csv = dir.write("data.csv", "age,name\n30,ann\n");
    const std::string notCsv = dir.write("notes.csv", "1 2,3\n");
    const std::string missing = dir.file("missing.csv");
    refhost::MessageLog log;

    EXPECT_TRUE(Value("'" + csv + "'").processSysFileSpec(ParamSysFileIn, &msg));
    ParamObj stored = Stored(ParamString);
    stored.setStringGeneric(csv);
    EXPECT_TRUE(stored.processSysFileSpec(ParamSysFileIn, &msg));
    EXPECT_TRUE(log.messages().empty());

    const std::string location = " specified for parameter KEY of subcommand SUB... ";
    EXPECT_FALSE(Value("'" + missing + "'").processSysFileSpec(ParamSysFileIn, &msg));
    const refhost::Emitted noAccess = TakeOnly(log);
    EXPECT_EQ(noAccess.text, "File " + missing + location + "has no access...");
    EXPECT_EQ(noAccess.level, 3);
    EXPECT_FALSE(Value("'" + notCsv + "'").processSysFileSpec(ParamSysFileIn, &msg));
    EXPECT_EQ(TakeOnly(log).text, "File " + notCsv + location + "is not TAVO file...");

    refhost::MarkFileInUse(csv, true);
    EXPECT_FALSE(Value("'" + csv + "'").processSysFileSpec(ParamSysFileIn, &msg));
    refhost::MarkFileInUse(csv, false);
    EXPECT_EQ(TakeOnly(log).text, "File " + csv + location + "has no access...");
    EXPECT_FALSE(Value("3").processSysFileSpec(ParamSysFileIn, &msg));
    EXPECT_EQ(TakeOnly(log).text,
              "Parameter KEY of subcommand SUB does not have a proper value type...");

    // Without a message object the check stays silent.
    EXPECT_FALSE(Value("'" + missing + "'").processSysFileSpec(ParamSysFileIn, nullptr));
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ParamObjFiles, CaseFileToWriteIsNotOpened) {
    const std::string target = dir.file("out.csv");
    refhost::MessageLog log;
    EXPECT_TRUE(Value("'" + target + "'").processSysFileSpec(ParamSysFileOut, &msg));
    EXPECT_FALSE(std::ifstream(target).good());

    // Not case data, but only read files are opened.
    const std::string notCsv = dir.write("notes.csv", "1 2,3\n");
    EXPECT_TRUE(Value("'" + notCsv + "'").processSysFileSpec(ParamSysFileOut, &msg));
    EXPECT_TRUE(log.messages().empty());

    refhost::MarkFileInUse(target, true);
    EXPECT_FALSE(Value("'" + target + "'").processSysFileSpec(ParamSysFileOut, &msg));
    refhost::MarkFileInUse(target, false);
    TakeOnly(log);  // the one diagnostic

    const std::string lost = dir.path() + "/no/such/dir/out.csv";
    EXPECT_FALSE(Value("'" + lost + "'").processSysFileSpec(ParamSysFileOut, &msg));
    EXPECT_EQ(log.messages().size(), 1U);
}

}  // namespace
