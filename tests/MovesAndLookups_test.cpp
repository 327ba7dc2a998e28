// The cheaper paths behave as the plain ones: messages moved between objects, lists moved by
// vectors, objects moved onto themselves, look-ups of parameters and subcommands by name, the
// parser's counts of parameters, where a parameter's name ends a value, descriptors handed over
// instead of copied, and snapshots read again in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "refhost/refhost.h"
#include "support/Messages.h"
#include "support/ParseCommand.h"
#include "support/TestDictionary.h"
#include "support/TestGrammars.h"
#include "support/Tokens.h"
#include "uparser/CommandDescriptor.h"
#include "uparser/GroupComDescriptor.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/VarCatList.h"
#include "uparser/ParserMessage.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/VarSpecObj.h"
#include "uparser/detail/BlockList.h"
#include "uparser/detail/TokenList.h"

namespace {

using namespace UPSpecTypes;

constexpr char kEnglish[] = "Own ^1...";

class MovedMessages : public testsupport::MessageTest {
  protected:
    void SetUp() override {
        MessageTest::SetUp();
        refhost::SetTranslation("Gauge", kEnglish, "Eigen ^1...");
    }

    // What the procedure's own string table makes of a text.
    static std::string emitted(const ParserMessage& message) {
        return message.GetTranslatedText(kEnglish, "CELLS");
    }

    static ParserMessage means() {
        ParserMessage message;
        message.SetCommandName("GAUGE");
        message.SetProcedureTitle("Gauge");
        return message;
    }
};

TEST_F(MovedMessages, TheDictionaryTravelsWithTheMove) {
    ParserMessage source = means();
    const std::string expected = emitted(source);
    ASSERT_EQ(expected, "Eigen CELLS...");

    ParserMessage moved(std::move(source));
    EXPECT_EQ(emitted(moved), expected);
    EXPECT_STREQ(moved.GetProcedureTitle(), "Gauge");

    // A moved-from object is whole again once something is assigned to it.
    source = moved;
    EXPECT_EQ(emitted(source), expected);
    ParserMessage other;
    other = std::move(moved);
    EXPECT_EQ(emitted(other), expected);
    moved = means();
    EXPECT_EQ(emitted(moved), expected);
    ParserMessage titled(std::move(other));
    other.SetProcedureTitle("Gauge");
    EXPECT_EQ(emitted(other), expected);
}

TEST_F(MovedMessages, ListsMoveWithoutLosingTheirMessages) {
    static_assert(std::is_nothrow_move_constructible<VarSpecObj>::value,
                  "vectors of lists must move them, not copy them");
    static_assert(std::is_nothrow_move_assignable<VarSpecObj>::value, "");

    const refhost::Dictionary dictionary = testsupport::TestDictionary();
    CommandDescriptor command("GAUGE", "Gauge");
    std::vector<VarSpecObj> lists;
    for (int i = 0; i < 40; ++i) {  // enough to make the vector move its elements
        lists.emplace_back("TABLES", "CELLS", command, &dictionary);
    }
    log.clear();
    EXPECT_FALSE(lists.front().ValidateVariables(TokensOf("age nosuch"), RepeatVarsError));
    const std::string text = only().text;
    EXPECT_NE(text.find("not found in dictionary"), std::string::npos) << text;
    EXPECT_EQ(lists.front().GetValidVarList(), std::vector<int>{1});
}

// A moved parameter takes every field along, names empty or not, and the one left behind keeps
// no names, tokens or values: the group's vector of subcommands moves their export parameters
// when it grows.
TEST(MovedParameters, TakeTheirNamesTokensAndValuesAlong) {
    const std::vector<TokenInfoObj> tokens = TokensOf("KEY 'a literal longer than the room' 2");
    ParamObj named(tokens[0], ParamTokenList);
    named.setParentName("PARENT");
    named.setSubComExtName("A SUBCOMMAND NAME LONGER THAN THE ROOM 12");
    ASSERT_TRUE(named.setTokenList({tokens[1], tokens[2]}));
    named.setParenUsed();
    ParamObj stored(tokens[0], ParamNumber);
    ASSERT_TRUE(stored.setNumberValue(2.5));

    std::vector<ParamObj> moved;
    moved.push_back(std::move(named));
    moved.push_back(std::move(stored));
    moved.emplace_back();
    moved.reserve(moved.capacity() + 1);  // moves all three again
    EXPECT_EQ(moved[0].getParamExtName(), "PARENT KEY");
    EXPECT_EQ(moved[0].getSubComExtName(), "A SUBCOMMAND NAME LONGER THAN THE ROOM 12");
    EXPECT_EQ(testsupport::Joined(&moved[0]), "a literal longer than the room 2");
    EXPECT_TRUE(moved[0].areParenUsed());
    double value = 0;
    EXPECT_TRUE(moved[1].getNumberValue(value));
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(moved[1].getParamExtName(), "KEY");
    EXPECT_EQ(moved[2].getParamExtName(), "");
    EXPECT_TRUE(moved[2].isNoType());

    for (const ParamObj* left : {&named, &stored}) {
        EXPECT_EQ(left->getParentName(), "");
        EXPECT_EQ(left->getSubComExtName(), "");
        EXPECT_EQ(left->getTokenListSize(), 0u);
    }
    ASSERT_TRUE(stored.getNumberValue(value));
    EXPECT_EQ(value, 0.0);
}

// What a token list holds, as texts.
std::vector<std::string> TextsOf(const uparser_detail::TokenList& list) {
    std::vector<std::string> texts;
    for (const TokenInfoObj& token : list) {
        texts.emplace_back(token.getString(), token.getStringLength());
    }
    return texts;
}

// Once its first block is full a list never moves an element: places taken early stay valid
// through later growth. Copies are deep and grow apart; a list moved from is empty and usable.
TEST(BlockLists, KeepTheirElementsInPlaceAndCopyDeep) {
    using List = block_list::BlockList<std::string, 2>;  // blocks of four
    List list;
    std::vector<const std::string*> places;
    const std::string* first = nullptr;
    for (int i = 0; i < 23; ++i) {
        list.push_back("item " + std::to_string(i) + " of a list longer than a short string");
        places.push_back(&list[static_cast<std::size_t>(i)]);
        first = i + 1 == static_cast<int>(List::kBlock) ? &list[0] : first;
    }
    ASSERT_EQ(list.size(), 23u);
    int moved = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i], "item " + std::to_string(i) + " of a list longer than a short string");
        moved += i >= List::kBlock && places[i] != &list[i] ? 1 : 0;
    }
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(first, &list[0]);  // the first block, once full, stays too

    List copy = list;
    copy.back() = "changed";
    copy.push_back("only in the copy");
    EXPECT_EQ(list.size(), 23u);
    EXPECT_EQ(copy.size(), 24u);
    EXPECT_EQ(list[22], "item 22 of a list longer than a short string");
    EXPECT_EQ(copy[22], "changed");
    EXPECT_EQ(copy[23], "only in the copy");

    List taken = std::move(copy);
    List& alias = taken;
    taken = std::move(alias);
    EXPECT_EQ(taken.size(), 24u);
    EXPECT_EQ(taken[23], "only in the copy");
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move)
    copy.push_back("again");
    EXPECT_EQ(copy.size(), 1u);
    EXPECT_EQ(copy[0], "again");
}

// A value's list keeps one token inside and more on the heap; copies, moves and assignments
// between the two forms, onto themselves, and appends of the list's own tokens while it
// regrows all keep every token (texts longer than a snapshot's room included).
TEST(TokenLists, HoldTheirTokensAcrossCopiesMovesAndRegrowth) {
    using uparser_detail::TokenList;
    const std::vector<TokenInfoObj> tokens =
        TokensOf("one 'a literal longer than the room' 3 four five");
    const std::vector<std::string> all = {"one", "a literal longer than the room", "3", "four",
                                          "five"};
    TokenList one;
    one.push_back(tokens[1]);
    TokenList many;
    many.push_back(tokens[0]);
    TokenInfoObj moved = tokens[1];
    many.push_back(std::move(moved));
    many.append(tokens.data() + 2, tokens.data() + 5);
    ASSERT_EQ(TextsOf(many), all);
    ASSERT_EQ(TextsOf(one), std::vector<std::string>{all[1]});

    TokenList manyOverOne(one);
    manyOverOne = many;
    TokenList oneOverMany(many);
    oneOverMany = one;
    EXPECT_EQ(TextsOf(manyOverOne), all);
    EXPECT_EQ(TextsOf(oneOverMany), TextsOf(one));
    TokenList& alias = many;
    many = static_cast<const TokenList&>(alias);
    many = std::move(alias);
    EXPECT_EQ(TextsOf(many), all);

    TokenList takenMany(std::move(many));
    TokenList takenOne(std::move(one));
    EXPECT_EQ(TextsOf(takenMany), all);
    EXPECT_EQ(TextsOf(takenOne), std::vector<std::string>{all[1]});
    EXPECT_TRUE(many.empty());
    EXPECT_TRUE(one.empty());
    one = std::move(takenMany);  // a moved-from list takes a heap block again
    EXPECT_EQ(TextsOf(one), all);

    // The own token is copied before the block it lies in is given up.
    TokenList own;
    own.push_back(tokens[1]);
    for (int i = 0; i < 8; ++i) {
        own.push_back(own[0]);
    }
    EXPECT_EQ(TextsOf(own), std::vector<std::string>(9, all[1]));
    own.clear();
    EXPECT_TRUE(own.empty());
}

// A one-token value, held inside the parameter, moves with it when a vector regrows, and
// copies read back as the original whichever form they are assigned over.
TEST(MovedParameters, OneTokenAndLongerValuesReadBackAfterCopiesAndMoves) {
    const std::vector<TokenInfoObj> tokens = TokensOf("KEY 'a literal longer than the room' 2 x");
    ParamObj one(tokens[0], ParamTokenList);
    ASSERT_TRUE(one.addTokenObj(tokens[1]));
    ParamObj three(tokens[0], ParamTokenList);
    ASSERT_TRUE(three.setTokenList({tokens[1], tokens[2], tokens[3]}));

    std::vector<ParamObj> params;
    params.push_back(one);
    params.push_back(three);
    params.reserve(params.capacity() + 1);
    EXPECT_EQ(testsupport::Joined(&params[0]), "a literal longer than the room");
    EXPECT_EQ(testsupport::Joined(&params[1]), "a literal longer than the room 2 x");
    params[0] = params[1];
    params[1] = one;
    EXPECT_EQ(testsupport::Joined(&params[0]), testsupport::Joined(&three));
    EXPECT_EQ(testsupport::Joined(&params[1]), testsupport::Joined(&one));
    std::vector<TokenInfoObj> copied;
    ASSERT_TRUE(params[1].getTokenList(copied));
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_TRUE(copied[0].IsLiteral());
}

// x = std::move(x) leaves x as it was, as a copy onto itself does.
template <typename T>
void MoveOntoItself(T& object) {
    T& alias = object;
    object = std::move(alias);
}

TEST(MovedOntoItself, EveryValueStaysAsItWas) {
    const CommandDescriptor grammar = testsupport::CountValues();
    testsupport::ParseOutcome out =
        testsupport::ParseCommand("COUNTVALUES a /FORMAT LIMIT=5 /ORDER", &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    CommandSpec& spec = out.spec;
    MoveOntoItself(spec);
    ASSERT_EQ(spec.getSubComListSize(), 3u);
    EXPECT_EQ(spec.getCommandName(), "COUNTVALUES");

    GroupComObj group = *spec.getGlobalGroupObj();
    MoveOntoItself(group);
    EXPECT_EQ(group.getSubComListSize(), 3u);
    EXPECT_TRUE(group.isGroupGlobal());
    SubComObj format = *spec.getSubComObj("FORMAT");
    MoveOntoItself(format);
    EXPECT_EQ(format.getSubComName(), "FORMAT");
    ASSERT_EQ(format.getParamListSize(), 1u);
    ParamObj limit = *format.getParamObj(0u);
    MoveOntoItself(limit);
    EXPECT_EQ(limit.getParamName(), "LIMIT");
    EXPECT_EQ(limit.getTokenListSize(), 1u);

    const refhost::Dictionary dictionary = testsupport::TestDictionary();
    VarSpecObj list("VARS", "TABLES", "GAUGE", &dictionary);
    ASSERT_TRUE(list.ValidateVariables(TokensOf("v1 TO v3"), RepeatVarsError));
    MoveOntoItself(list);
    EXPECT_EQ(list.GetNValidVars(), 3);
    EXPECT_TRUE(list.IsValidVariable(testsupport::vars::kV2));

    VarCatList categories;
    ASSERT_TRUE(categories.addVarName(TavoVarName("v1")));
    MoveOntoItself(categories);
    EXPECT_EQ(categories.getVarListSize(), 1u);

    ParamDescriptor desc("KEY", ParamStringQual);
    desc.addQualifDesc("Q");
    MoveOntoItself(desc);
    EXPECT_EQ(desc.getParamName(), "KEY");
    EXPECT_NE(desc.getQualifDesc("Q"), nullptr);
}

TEST(SubComDescriptorLookup, ManyParametersAreFoundByAnyCaseAndReplacedInPlace) {
    SubComDescriptor sub("CELLS", SubComByEqual);
    for (int i = 0; i < 100; ++i) {
        sub.addParamDesc("P" + std::to_string(i), ParamNumber, false, true, BracketNone);
    }
    sub.addParamDesc("p7", ParamString, true, true, BracketNone);  // replaces P7 where it is
    EXPECT_EQ(sub.getParamDescListSize(), 100);
    EXPECT_EQ(sub.getParamDescIndex("p7"), 7);
    EXPECT_EQ(sub.getParamDesc("P7")->getParamType(), ParamString);
    EXPECT_EQ(sub.getParamDescIndex("p99"), 99);
    EXPECT_EQ(sub.getParamDescIndex("P100"), -1);
    EXPECT_EQ(sub.getParamDescIndex(""), -1);

    SubComDescriptor copy = sub;
    copy.addParamDesc("EXTRA", ParamKeyWord, false, false, BracketNone);
    EXPECT_EQ(copy.getParamDescIndex("extra"), 100);
    EXPECT_EQ(sub.getParamDescIndex("extra"), -1);
    EXPECT_EQ(copy.getParamDesc("p7")->getParamType(), ParamString);
    copy = SubComDescriptor("EMPTY");
    EXPECT_EQ(copy.getParamDescIndex("p7"), -1);

    // A parameter handed back from the subcommand itself, or moved in, replaces in place.
    sub.addParamDesc(*sub.getParamDesc(7));
    ParamDescriptor moved("P9", ParamInteger);
    sub.addParamDesc(std::move(moved));
    EXPECT_EQ(sub.getParamDescListSize(), 100);
    EXPECT_EQ(sub.getParamDesc(7)->getParamType(), ParamString);
    EXPECT_EQ(sub.getParamDesc(9)->getParamType(), ParamInteger);
}

// A subcommand of many thousands of parameters, through many regrowths of its index: every
// name, new or long indexed, is found and replaced in place, in copies too, and a moved-from
// subcommand takes new names again.
TEST(SubComDescriptorLookup, ALargeSubcommandFindsAndReplacesEveryName) {
    constexpr int kCount = 20000;
    const auto name = [](int i) { return "P" + std::to_string(i); };
    SubComDescriptor sub("BIG", SubComByEqual);
    for (int i = 0; i < kCount; ++i) {
        sub.addParamDesc(ParamDescriptor(name(i), ParamNumber));
        if (i % 997 == 996) {
            // The newest names and one long indexed.
            sub.addParamDesc(ParamDescriptor(name(i), ParamInteger));
            sub.addParamDesc(ParamDescriptor(name(i - 3), ParamString));
            sub.addParamDesc(ParamDescriptor(name(i / 2), ParamKeyWord));
            ASSERT_EQ(sub.getParamDescListSize(), i + 1);
            EXPECT_EQ(sub.getParamDescIndex(name(i)), i);
            EXPECT_EQ(sub.getParamDesc(i - 3)->getParamType(), ParamString);
            EXPECT_EQ(sub.getParamDesc(i / 2)->getParamType(), ParamKeyWord);
        }
    }
    SubComDescriptor copy = sub;
    for (const SubComDescriptor* each : {&sub, &copy}) {
        int misplaced = 0;
        for (int i = 0; i < kCount; ++i) {
            misplaced += each->getParamDescIndex(name(i)) != i ? 1 : 0;
        }
        EXPECT_EQ(misplaced, 0);
        EXPECT_EQ(each->getParamDescIndex("p19999"), kCount - 1);
        EXPECT_EQ(each->getParamDescIndex(name(kCount)), -1);
    }
    copy.addParamDesc(ParamDescriptor(name(kCount - 1), ParamString));
    copy.addParamDesc(ParamDescriptor("EXTRA", ParamKeyWord));
    EXPECT_EQ(copy.getParamDescListSize(), kCount + 1);
    EXPECT_EQ(sub.getParamDescIndex("EXTRA"), -1);
    EXPECT_EQ(copy.getParamDesc(kCount - 1)->getParamType(), ParamString);
    EXPECT_EQ(sub.getParamDesc(kCount - 1)->getParamType(), ParamNumber);

    SubComDescriptor moved = std::move(copy);
    EXPECT_EQ(moved.getParamDescIndex("extra"), kCount);
    copy.addParamDesc(ParamDescriptor("Q", ParamNumber));  // NOLINT(bugprone-use-after-move)
    copy.addParamDesc(ParamDescriptor("Q", ParamInteger));
    EXPECT_EQ(copy.getParamDescListSize(), 1);
    EXPECT_EQ(copy.getParamDesc("q")->getParamType(), ParamInteger);
}

// Past some tens of thousands of names the index keeps its newest names apart, behind a filter,
// and moves them into its main table in batches: names declared again at any of those stages
// (just added, just moved, long indexed), in a copy taken between batches and in a group of as
// many subcommands, answer exactly as a plain map of names does.
TEST(SubComDescriptorLookup, AVeryLargeSubcommandAnswersAsAMapOfItsNames) {
    constexpr int kAdds = 90000;
    constexpr int kNames = 70000;  // so that about a fifth of the additions declare a name again
    const auto name = [](int i) { return "N" + std::to_string(i); };
    std::mt19937 random(21);
    std::uniform_int_distribution<int> pick(0, kNames - 1);
    const ParamSpec types[] = {ParamNumber, ParamInteger, ParamString, ParamKeyWord};

    SubComDescriptor sub("HUGE", SubComByEqual);
    std::map<std::string, std::pair<int, ParamSpec>> model;  // name -> place, type
    const auto agrees = [&](const SubComDescriptor& each,
                            const std::map<std::string, std::pair<int, ParamSpec>>& names) {
        int wrong = each.getParamDescListSize() == static_cast<int>(names.size()) ? 0 : 1;
        for (const auto& [text, place] : names) {
            const ParamDescriptor* found = each.getParamDesc(text);
            wrong += found == nullptr || each.getParamDescIndex(text) != place.first ||
                             found->getParamType() != place.second
                         ? 1
                         : 0;
        }
        return wrong;
    };
    std::map<std::string, std::pair<int, ParamSpec>> copiedModel;
    SubComDescriptor copy;
    for (int i = 0; i < kAdds; ++i) {
        const std::string text = name(pick(random));
        const ParamSpec type = types[i % 4];
        const auto entry = model.emplace(text, std::make_pair(static_cast<int>(model.size()), type));
        entry.first->second.second = type;
        sub.addParamDesc(ParamDescriptor(text, type));
        ASSERT_EQ(sub.getParamDescIndex(text), entry.first->second.first) << i;
        if (i == kAdds / 2) {
            copy = sub;
            copiedModel = model;
        }
    }
    EXPECT_EQ(agrees(sub, model), 0);
    EXPECT_EQ(sub.getParamDescIndex(name(kNames)), -1);

    // The copy goes on from where it was taken, apart from the original.
    for (int i = 0; i < kNames / 4; ++i) {
        const std::string text = name(kNames + i % 9000);
        copy.addParamDesc(ParamDescriptor(text, ParamString));
        copiedModel.emplace(text, std::make_pair(static_cast<int>(copiedModel.size()), ParamString))
            .first->second.second = ParamString;
    }
    EXPECT_EQ(agrees(copy, copiedModel), 0);
    EXPECT_EQ(agrees(sub, model), 0);

    GroupComDescriptor group(GroupRepeatable);
    for (int i = 0; i < kNames; ++i) {
        group.addSubComDesc(SubComDescriptor(name(i)), false);
    }
    group.addSubComDesc(SubComDescriptor(name(kNames - 1), SubComArbitrary), false);
    group.addSubComDesc(SubComDescriptor(name(3), SubComArbitrary), false);
    int misplaced = 0;
    for (int i = 0; i < kNames; ++i) {
        misplaced += group.getSubComDescIndex(name(i)) != i ? 1 : 0;
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(group.getSubComDescListSize(), kNames);
    EXPECT_TRUE(group.getSubComDesc(kNames - 1)->isSubComArbitrary());
    EXPECT_TRUE(group.getSubComDesc(3)->isSubComArbitrary());
    EXPECT_EQ(group.getSubComDescIndex(name(kNames)), -1);
}

TEST(GroupComDescriptorLookup, ManySubcommandsAreFoundByAnyCaseReplacedInPlaceAndCopied) {
    CommandDescriptor command("GAUGE", "Gauge");
    GroupComDescriptor group(GroupRepeatable);
    for (int i = 0; i < 100; ++i) {
        group.addSubComDesc(SubComDescriptor("S" + std::to_string(i)), i == 0);
    }
    group.addSubComDesc(SubComDescriptor("s7", SubComArbitrary), false);  // replaces S7
    EXPECT_EQ(group.getSubComDescListSize(), 100);
    EXPECT_EQ(group.getSubComDescIndex("s7"), 7);
    EXPECT_TRUE(group.getSubComDesc("S7")->isSubComArbitrary());
    EXPECT_EQ(group.getSubComDescIndex("S100"), -1);

    GroupComDescriptor copy = group;
    copy.addSubComDesc(SubComDescriptor("EXTRA"), false);
    EXPECT_EQ(copy.getSubComDescIndex("extra"), 100);
    EXPECT_EQ(group.getSubComDescIndex("extra"), -1);
    copy = GroupComDescriptor(GroupRepeatable);
    EXPECT_EQ(copy.getSubComDescIndex("s7"), -1);

    // Counted once per group that declares the name, whatever its case.
    command.addGroupDesc(group);
    GroupComDescriptor other(GroupRepeatable);
    other.addSubComDesc(SubComDescriptor("S1"), true);
    other.addSubComDesc(SubComDescriptor("S7"), false);
    command.addGroupDesc(other);
    EXPECT_EQ(command.getSubComDescMult("s7"), 2);
    EXPECT_EQ(command.getSubComDescMult("S8"), 1);
    EXPECT_EQ(command.getSubComDescMult("NONE"), 0);
}

// A subcommand of more parameters than one block of declarations holds: those declared later
// are counted by their own place.
TEST(ParameterOccurrences, AreCountedBeyondTheFirstBlockOfDeclarations) {
    CommandDescriptor grammar("GAUGE", "Gauge");
    SubComDescriptor opts("OPTS", SubComByEqual, false, true);
    constexpr int kParams = 1500;
    for (int i = 1; i <= kParams; ++i) {
        opts.addParamDesc(ParamDescriptor("P" + std::to_string(i), ParamNumber, i == kParams));
    }
    grammar.addSubComDesc(opts);
    const auto parse = [&grammar](const std::string& text) {
        return testsupport::ParseCommand("GAUGE " + text, &grammar);
    };
    EXPECT_EQ(parse("/OPTS P1500=1 P1000=2 p3=3 P1200=4 /OPTS P1000=5 P1500=6").code,
              ParseCodes::Parsed);
    const testsupport::ParseOutcome repeated = parse("/OPTS P1500=1 P1000=2 P600=3 P1000=4");
    EXPECT_EQ(repeated.code, ParseCodes::ParamRepeated);
    const testsupport::ParseOutcome missing = parse("/OPTS P1499=1 P1000=2 /OPTS P1500=3");
    EXPECT_EQ(missing.code, ParseCodes::ParamMissing);
    const std::vector<std::string> texts = missing.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts.front().find("P1500"), std::string::npos);
}

// Each occurrence of a subcommand counts its parameters afresh, also where two subcommands
// declare parameters at the same places.
TEST(ParameterOccurrences, CountEachOccurrenceOfASubcommandOnItsOwn) {
    CommandDescriptor grammar("GAUGE", "Gauge");
    SubComDescriptor cell("CELL", SubComByEqual, false, true);
    cell.addParamDesc(ParamDescriptor("A", ParamNumber, true));
    cell.addParamDesc(ParamDescriptor("B", ParamNumber));
    grammar.addSubComDesc(cell);
    SubComDescriptor other("OTHER", SubComByEqual);
    other.addParamDesc(ParamDescriptor("C", ParamNumber));
    other.addParamDesc(ParamDescriptor("B", ParamNumber, true));
    grammar.addSubComDesc(other);
    const auto parse = [&grammar](const std::string& text) {
        return testsupport::ParseCommand("GAUGE " + text, &grammar);
    };

    EXPECT_EQ(parse("/CELL A=1 B=2 /CELL b=3 a=4 /OTHER B=5 C=6").code, ParseCodes::Parsed);
    testsupport::ExpectFailure(parse("/CELL A=1 B=2 /CELL B=3"), ParseCodes::ParamMissing,
                               "Parameter A required in subcommand CELL 2...");
    testsupport::ExpectFailure(parse("/CELL A=1 /CELL A=2 a=3"), ParseCodes::ParamRepeated,
                               "Parameter A already used in subcommand CELL 2...");
    testsupport::ExpectFailure(parse("/CELL A=1 B=2 /OTHER C=3"), ParseCodes::ParamMissing,
                               "Parameter B required in subcommand OTHER...");
}

// A subcommand counts its required parameters as they are declared and declared again, and the
// check of a finished subcommand stops after the last of them: a count too low lets one slip.
TEST(ParameterOccurrences, RequiredOnesAreCheckedAsLastDeclared) {
    SubComDescriptor sub("S", SubComByEqual);
    for (int i = 0; i < 6; ++i) {
        sub.addParamDesc(ParamDescriptor("P" + std::to_string(i), ParamNumber, i == 1 || i == 4));
    }
    sub.addParamDesc(ParamDescriptor("P1", ParamNumber, false));
    sub.addParamDesc(ParamDescriptor("p5", ParamNumber, true));
    sub.addParamDesc(ParamDescriptor("P4", ParamInteger, true));
    EXPECT_EQ(sub.getRequiredParamCount(), 2);
    CommandDescriptor grammar("GAUGE", "Gauge");
    grammar.addSubComDesc(sub);
    EXPECT_EQ(testsupport::ParseCommand("GAUGE /S P5=1 P4=2", &grammar).code, ParseCodes::Parsed);
    for (const char* missing : {"P4", "P5"}) {
        const std::string given = missing == std::string("P4") ? "P5=1 P0=2" : "P4=1 P1=2";
        testsupport::ExpectFailure(testsupport::ParseCommand("GAUGE /S " + given, &grammar),
                                   ParseCodes::ParamMissing,
                                   "Parameter " + std::string(missing) +
                                       " required in subcommand S...");
    }
}

// A repeated subcommand reuses what the occurrence before it looked up and counted: its
// descriptor, its count and the room for its parameters. None of it may leak into another
// group, which declares the same name with other parameters and counts it afresh, nor into an
// occurrence that names fewer, more or other parameters.
TEST(ParameterOccurrences, ARepeatedSubcommandIsLookedUpAndCountedInItsOwnGroup) {
    SubComDescriptor tableCells("CELLS", SubComByEqual, false, true);
    tableCells.addParamDesc(ParamDescriptor("N", ParamInteger));
    tableCells.addParamDesc(ParamDescriptor("W", ParamNumber));
    SubComDescriptor chartCells("CELLS", SubComByEqual, false, true);
    chartCells.addParamDesc(ParamDescriptor("M", ParamNumber, true));
    GroupComDescriptor table(GroupRepeatable);
    table.addSubComDesc(testsupport::EmptyAllowedSubCom("TABLE"), true);
    table.addSubComDesc(tableCells, false);
    GroupComDescriptor chart(GroupRepeatable);
    chart.addSubComDesc(testsupport::EmptyAllowedSubCom("CHART"), true);
    chart.addSubComDesc(chartCells, false);
    CommandDescriptor grammar("LAYOUTS", "Layouts");
    grammar.addGroupDesc(table);
    grammar.addGroupDesc(chart);
    const auto parse = [&grammar](const std::string& text) {
        return testsupport::ParseCommand("LAYOUTS " + text, &grammar);
    };

    const testsupport::ParseOutcome out = parse(
        "/TABLE /CELLS N=1 W=2 /CELLS W=3 /CELLS N=4 W=5 /CHART /CELLS M=6 /TABLE /CELLS W=7 N=8");
    ASSERT_EQ(out.code, ParseCodes::Parsed) << out.text;
    const GroupComObj* first = out.spec.getGroupObj(0u);
    ASSERT_EQ(first->getSubComListSize(), 4u);
    EXPECT_EQ(first->getSubComObj(3u)->getSubComExtName(), "CELLS 3");
    EXPECT_EQ(first->getSubComObj(3u)->getParamListSize(), 2u);
    EXPECT_EQ(first->getSubComObj(2u)->getParamListSize(), 1u);
    EXPECT_EQ(out.spec.getGroupObj(1u)->getSubComObj(1u)->getSubComExtName(), "CELLS 1");
    const SubComObj* again = out.spec.getGroupObj(2u)->getSubComObj(1u);
    EXPECT_EQ(again->getSubComExtName(), "CELLS 1");
    EXPECT_EQ(again->exportParamObj()->getSubComExtName(), "CELLS 1");
    EXPECT_EQ(again->getParamObj(1u)->getParamName(), "N");

    // A group that starts with the name its group before ended with counts it afresh.
    EXPECT_EQ(parse("/TABLE /TABLE /CELLS N=1 /CHART /CHART").code, ParseCodes::Parsed);
    testsupport::ExpectFailure(
        parse("/TABLE /CELLS N=1 /CHART /CELLS N=2"), ParseCodes::InvalidParam,
        "CHART block 1.... N is not a valid parameter name in subcommand CELLS 1...");
    testsupport::ExpectFailure(
        parse("/CHART /CELLS M=1 /TABLE /CELLS N=2 /CHART /CELLS N=3"), ParseCodes::InvalidParam,
        "CHART block 2.... N is not a valid parameter name in subcommand CELLS 1...");
    testsupport::ExpectFailure(parse("/TABLE /CELLS N=1 W=2 /CELLS W=3 N=4 W=5"),
                               ParseCodes::ParamRepeated,
                               "TABLE block 1.... Parameter W already used in subcommand CELLS 2...");
    testsupport::ExpectFailure(parse("/CHART /CELLS M=1 /CELLS M=2 /CHART /CELLS"),
                               ParseCodes::ParamMissing,
                               "CHART block 2.... Parameter M required in subcommand CELLS 1...");
}

// Names are tried first where the last one found was declared, and counted first where the
// last new one went: whatever the order in which a command writes them, each finds its own
// descriptor, a repeat is caught and a required one left out is missed.
TEST(ParameterOccurrences, AreFoundAndCountedInAnyOrderOfNames) {
    SubComDescriptor sub("S", SubComByEqual);
    std::vector<std::string> declared;
    for (int i = 1; i <= 12; ++i) {  // P1 P2 ... P12: P10 sorts before P2
        declared.push_back("P" + std::to_string(i));
        // Odd places take integers, even ones any number: a wrong descriptor rejects x.5.
        sub.addParamDesc(
            ParamDescriptor(declared.back(), i % 2 ? ParamInteger : ParamNumber, i == 12));
    }
    CommandDescriptor grammar("GAUGE", "Gauge");
    grammar.addSubComDesc(sub);
    const auto written = [](const std::vector<std::string>& names) {
        std::string text = "GAUGE /S";
        for (const std::string& name : names) {
            const int place = std::stoi(name.substr(1));
            text += " " + name + " = " + std::to_string(place) + (place % 2 ? "" : ".5");
        }
        return text;
    };
    std::vector<std::string> reversed(declared.rbegin(), declared.rend());
    std::vector<std::string> interleaved;
    for (std::size_t i = 0; i < 6; ++i) {
        interleaved.push_back(declared[i + 6]);
        interleaved.push_back(declared[i]);
    }
    for (const std::vector<std::string>* order : {&declared, &reversed, &interleaved}) {
        const testsupport::ParseOutcome out = testsupport::ParseCommand(written(*order), &grammar);
        ASSERT_EQ(out.code, ParseCodes::Parsed) << out.text;
        const SubComObj* parsed = out.spec.getGroupObj(0u)->getSubComObj(0u);
        ASSERT_EQ(parsed->getParamListSize(), 12u);
        double value = 0;
        EXPECT_TRUE(parsed->getParamObj("p11")->getNumberValue(value));
        EXPECT_EQ(value, 11);
        for (const std::string& name : *order) {
            std::vector<std::string> again = *order;
            again.push_back(name);
            testsupport::ExpectFailure(testsupport::ParseCommand(written(again), &grammar),
                                       ParseCodes::ParamRepeated,
                                       "Parameter " + name + " already used in subcommand S...");
        }
        std::vector<std::string> without = *order;
        without.erase(std::find(without.begin(), without.end(), "P12"));
        testsupport::ExpectFailure(testsupport::ParseCommand(written(without), &grammar),
                                   ParseCodes::ParamMissing,
                                   "Parameter P12 required in subcommand S...");
    }

    // A second subcommand declares some of the names at other places and with other types.
    SubComDescriptor other("T", SubComByEqual);
    other.addParamDesc(ParamDescriptor("P2", ParamInteger));
    other.addParamDesc(ParamDescriptor("P1", ParamNumber));
    grammar.addSubComDesc(other);
    EXPECT_EQ(
        testsupport::ParseCommand("GAUGE /S P1 = 1 P2 = 2.5 P12 = 0 /T P1 = 1.5 P2 = 2", &grammar)
            .code,
        ParseCodes::Parsed);
}

// Inside a value, only the name of a keyword or of a parameter with an optional value starts a
// new parameter; replacing a parameter by one of the other sort must move that line both ways.
TEST(ParameterNames, EndAValueOnlyWhereTheirParameterMayStandAlone) {
    const auto valueOfX = [](const SubComDescriptor& sub, const std::string& text) {
        CommandDescriptor grammar("GAUGE", "Gauge");
        grammar.addSubComDesc(sub);
        const testsupport::ParseOutcome out =
            testsupport::ParseCommand("GAUGE /S " + text, &grammar);
        EXPECT_EQ(out.code, ParseCodes::Parsed) << text;
        const SubComObj* parsed = out.spec.getGroupObj(0u)->getSubComObj(0u);
        return testsupport::Joined(parsed->getParamObj("X"));
    };
    SubComDescriptor sub("S", SubComByEqual);
    sub.addParamDesc(ParamDescriptor("X", ParamTokenList));
    sub.addParamDesc(ParamDescriptor("Key", ParamKeyWord));
    EXPECT_EQ(valueOfX(sub, "X = a key"), "a");

    sub.addParamDesc(ParamDescriptor("KEY", ParamTokenList));  // now needs a value
    EXPECT_FALSE(sub.hasOptionalValueParams());
    EXPECT_EQ(valueOfX(sub, "X = a key b"), "a key b");

    sub.addParamDesc(ParamDescriptor("KEY", ParamNumber, false, false));  // value optional
    EXPECT_TRUE(sub.hasOptionalValueParams());
    EXPECT_EQ(valueOfX(sub, "X = a key"), "a");
}

// A subcommand or group handed over is the one a copy would have added.
TEST(MovedDescriptors, AreFoundAsCopiesAre) {
    SubComDescriptor sub("S", SubComByEqual);
    for (int i = 0; i < 50; ++i) {
        sub.addParamDesc(ParamDescriptor("P" + std::to_string(i), ParamNumber));
    }
    CommandDescriptor byCopy("GAUGE", "Gauge");
    byCopy.addSubComDesc(sub);
    CommandDescriptor byMove("GAUGE", "Gauge");
    byMove.addSubComDesc(std::move(sub));
    for (const CommandDescriptor* grammar : {&byCopy, &byMove}) {
        ASSERT_NE(grammar->getSubComDesc("s"), nullptr);
        EXPECT_EQ(grammar->getSubComDesc("s")->getParamDescIndex("p49"), 49);
        EXPECT_EQ(testsupport::ParseCommand("GAUGE /S P3 = 1 p49 = 2", grammar).code,
                  ParseCodes::Parsed);
    }

    GroupComDescriptor group(GroupRepeatable);
    group.addSubComDesc(SubComDescriptor("OPEN"), true);
    group.addSubComDesc(SubComDescriptor("OPEN", SubComArbitrary), false);  // no longer opens
    CommandDescriptor grouped("GAUGE", "Gauge");
    grouped.addGroupDesc(std::move(group));
    EXPECT_TRUE(grouped.getGroupDesc(0)->getSubComDesc("open")->isSubComArbitrary());
    EXPECT_EQ(grouped.getGroupSepMapSize(), 0);
}

// The cursor reads every token into the same object: what a longer token left must not show.
TEST(TokenSnapshots, AReusedSnapshotHoldsOnlyTheTokenReadLast) {
    refhost::TextTokenSequence stream("NAME 'a literal much longer than the inline room' x 2.5");
    TokenInfoObj token;
    token.setExtent(9, 40);
    ASSERT_TRUE(stream.next());
    ASSERT_TRUE(stream.next());
    token.read(stream);
    EXPECT_TRUE(token.IsLiteral());
    EXPECT_STREQ(token.getString(), "a literal much longer than the inline room");
    EXPECT_FALSE(token.hasExtent());
    ASSERT_TRUE(stream.next());
    token.read(stream);
    EXPECT_TRUE(token.IsPlainString());
    EXPECT_STREQ(token.getString(), "x");
    EXPECT_STREQ(token.getUpperString(), "X");
    EXPECT_EQ(token.getStringLength(), 1u);
    EXPECT_EQ(token.getColumn(), 51);
    ASSERT_TRUE(stream.next());
    token.read(stream);
    EXPECT_TRUE(token.IsNumber());
    EXPECT_DOUBLE_EQ(token.getNumeric(), 2.5);
}

// A long group's list regrows several times, the last ones by more than doubling; every
// subcommand it moves keeps its names, its count, its parameter and the names that parameter
// and the leading value carry, and a leading value of a long text keeps it.
TEST(MovedSubcommands, ALongGroupKeepsEverySubcommandWhole) {
    CommandDescriptor grammar("GAUGE", "Gauge");
    SubComDescriptor sub("SUB", SubComByEqual, false, true);
    sub.setExportParamDesc(ParamTokenList, false);
    sub.addParamDesc(ParamDescriptor("K", ParamNumber, true));
    grammar.addSubComDesc(sub);
    constexpr int kCount = 5000;
    std::string text = "GAUGE";
    for (int i = 1; i <= kCount; ++i) {
        const std::string lead = i % 7 == 0 ? " 'leading value longer than the room inside'" : "";
        text += " /SUB" + lead + " K=" + std::to_string(i);
    }
    const testsupport::ParseOutcome out = testsupport::ParseCommand(text, &grammar);
    ASSERT_EQ(out.code, ParseCodes::Parsed);
    const GroupComObj* group = out.spec.getGlobalGroupObj();
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->getSubComListSize(), static_cast<unsigned>(kCount));
    for (int i = 1; i <= kCount; ++i) {
        const SubComObj& subCom = *group->getSubComObj(static_cast<unsigned>(i - 1));
        const std::string extName = "SUB " + std::to_string(i);
        ASSERT_EQ(subCom.getSubComName(), "SUB");
        ASSERT_EQ(subCom.getSubComCount(), i);
        ASSERT_EQ(subCom.getSubComExtName(), extName);
        ASSERT_EQ(subCom.exportParamObj()->getSubComExtName(), extName);
        ASSERT_EQ(testsupport::Joined(&subCom),
                  i % 7 == 0 ? "leading value longer than the room inside" : "");
        ASSERT_EQ(subCom.getParamListSize(), 1u);
        const ParamObj& param = *subCom.getParamObj(0u);
        ASSERT_EQ(param.getParamName(), "K");
        ASSERT_EQ(param.getSubComExtName(), extName);
        ASSERT_EQ(testsupport::Joined(&param), std::to_string(i));
    }
}

}  // namespace
