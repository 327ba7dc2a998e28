// The library when memory runs out and when host services fail: every allocation of a parse
// and of each validator is made to fail in turn, and the host's dictionary and value
// conversion fail or throw. This program replaces the global operator new and the host's
// ToString and FromString (support/conversion/), so it is a program of its own.
#include <gmock/gmock.h>
#include <malloc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "support/ConversionFaults.h"
#include "support/HostFaults.h"
#include "support/RoutedNew.h"
#include "support/TestDictionary.h"
#include "support/TestGrammars.h"
#include "support/Tokens.h"
#include "support/VarLists.h"
#include "uparser/CommandSpec.h"
#include "uparser/GroupComObj.h"
#include "uparser/ParamObj.h"
#include "uparser/ParserUtility.h"
#include "uparser/ParserValidator.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/SubComObj.h"
#include "uparser/UniversalParser.h"
#include "uparser/VarSpecObj.h"

namespace {

// The allocator's state. Only the calls made while counting are numbered.
struct Allocations {
    bool counting = false;
    long made = 0;            // numbered calls so far
    long failAt = 0;          // that call fails (0: none)
    long live = 0;            // blocks not yet freed, counted always
    std::size_t liveBytes = 0;
    std::size_t byteLimit = 0;  // an address-space limit: more live bytes fail (0: none)
};
Allocations gAlloc;

}  // namespace

void* RoutedAllocate(std::size_t size) {
    if (gAlloc.counting && ++gAlloc.made == gAlloc.failAt) {
        throw std::bad_alloc();
    }
    if (gAlloc.byteLimit != 0 && gAlloc.liveBytes + size > gAlloc.byteLimit) {
        throw std::bad_alloc();
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    ++gAlloc.live;
    gAlloc.liveBytes += malloc_usable_size(block);
    return block;
}

void RoutedRelease(void* block) noexcept {
    if (block != nullptr) {
        --gAlloc.live;
        gAlloc.liveBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

namespace {

using namespace UPSpecTypes;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using testsupport::ExpectConsistent;
using testsupport::Conversion;
using testsupport::HostFault;

const std::string kNoMemory = "Insufficient memory for parsing...";

// Runs call with its at-th numbered allocation failing (0: none); true when std::bad_alloc
// left it.
bool FailingAt(long at, const std::function<void()>& call) {
    gAlloc.counting = true;
    gAlloc.made = 0;
    gAlloc.failAt = at;
    bool threw = false;
    try {
        call();
    } catch (const std::bad_alloc&) {
        threw = true;
    }
    gAlloc.counting = false;
    return threw;
}

// The numbered allocations of one call, none failing.
long CountAllocations(const std::function<void()>& call) {
    FailingAt(0, call);
    return gAlloc.made;
}

std::vector<std::string> Texts(const refhost::MessageLog& log) {
    std::vector<std::string> texts;
    for (const refhost::Emitted& message : log.messages()) {
        texts.push_back(message.text);
    }
    return texts;
}

struct ParseRun {
    int code = -1;
    std::vector<std::string> texts;
    long allocations = 0;
};

// One parse with its failAt-th allocation failing (0: none).
ParseRun Parse(const std::string& text, const CommandDescriptor& grammar, long failAt) {
    refhost::TextTokenSequence stream(text);
    CommandSpec spec;
    refhost::MessageLog log;
    UniversalParser parser(stream, spec, grammar);
    ParseRun run;
    EXPECT_FALSE(FailingAt(failAt, [&] { run.code = parser.getCommandSpecifications(); }))
        << "bad_alloc escaped the parser";
    run.allocations = gAlloc.made;
    const CommandSpec copy = spec;  // the tree left behind is whole (the sanitizers look on)
    run.texts = Texts(log);
    return run;
}

// With any one allocation of the parse failing, the parse fails and ends with the memory
// message. A rule that had failed before keeps its code and its message; a failure inside the
// rule's report turns that report into the memory message.
TEST(Faults, EveryAllocationOfAParseFailsWithAMessage) {
    const CommandDescriptor values = testsupport::CountValues();
    const CommandDescriptor params = testsupport::Params();
    const CommandDescriptor tables = testsupport::Tables();
    const struct {
        const CommandDescriptor& grammar;
        std::string text;
    } commands[] = {
        {values,
         "COUNTVALUES a b /FORMAT LIMIT=5 QUIETLY /QUANTPOINTS 25 50 /QUANTPOINTS 75 /MISSING "
         "include all ( x /ORDER /TABLE TITLE='one' /SORT v ORDER=ASC"},
        {values, "COUNTVALUES a /FORMAT LIMIT=5 LIMIT=6"},
        {values, "COUNTVALUES a /NOSUCH"},
        {params, "PARAMS x /EQ KEY = 1 2 LIST = [1 2] FORLIST = [a b] PATH = a/b SQ = x A = 1 "
                 "/PAREN KEY (1 2) FLAG /BLOCK NOVAL BYEQ = 3 OPTEQ BYPAREN (4) /LEADEQ = 5 NAME"},
        {params, "PARAMS /EQ FORLIST = a b"},
        {tables, "LAYOUTS v /TITLE /TABLE /CELLS N=1 /TABLE /CHART /CELLS /SAVE /OUTFILE"},
        {tables, "LAYOUTS /CHART /CHART"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.text);
        const ParseRun clean = Parse(command.text, command.grammar, 0);
        ASSERT_LE(clean.texts.size(), 1u);
        ASSERT_GT(clean.allocations, 10);
        for (long at = 1; at <= clean.allocations; ++at) {
            SCOPED_TRACE(at);
            const ParseRun run = Parse(command.text, command.grammar, at);
            EXPECT_NE(run.code, ParseCodes::Parsed);
            // Within a group the message carries the group's prefix, as every message does.
            ASSERT_FALSE(run.texts.empty());
            EXPECT_THAT(run.texts.back(), EndsWith(kNoMemory));
            if (run.texts.size() > 1) {
                EXPECT_THAT(run.texts, ElementsAre(clean.texts.at(0), EndsWith(kNoMemory)));
                EXPECT_EQ(run.code, clean.code);
            }
        }
    }
}

// A long command under a limit on memory, as a real address space has one: the parse stops
// with the memory message instead of ending the program, and once its half-built values are
// freed there is memory for the report.
TEST(Faults, AParseThatOutgrowsMemoryFailsWithTheMemoryMessage) {
    const CommandDescriptor grammar = testsupport::CountValues();
    std::string text = "COUNTVALUES";
    for (int i = 0; i < 100000; ++i) {
        text += " a";
    }
    refhost::TextTokenSequence stream(text);
    CommandSpec spec;
    refhost::MessageLog log;
    UniversalParser parser(stream, spec, grammar);
    gAlloc.byteLimit = gAlloc.liveBytes + (1u << 20);
    int code = 0;
    EXPECT_NO_THROW(code = parser.getCommandSpecifications());
    gAlloc.byteLimit = 0;
    EXPECT_EQ(code, 1);
    EXPECT_THAT(Texts(log), ElementsAre(kNoMemory));
}

// The objects a validator fills, built fresh for every attempt.
struct Lists {
    explicit Lists(const TAVO_DataSource& dict)
        : list("VARS", "TABLES", "MDL", &dict),
          factors("VARS", "TABLES", "MDL", &dict, true),
          covariates("COVS", "TABLES", "MDL", &dict),
          other("OTHER", "TABLES", "MDL", &dict),
          registry("MDL", &dict) {}

    VarSpecObj list;
    VarSpecObj factors;
    VarSpecObj covariates;
    VarSpecObj other;
    std::vector<VarSpecObj> blocks;
    std::vector<ParamObj> quals;
    ParserValidator registry;
};

struct Validation {
    const char* name;
    std::function<void(Lists&)> run;
};

// The token lists are made here, so that the numbered allocations are the validators' own.
std::vector<Validation> Validations() {
    const auto list = [](const char* text, RepeatVarOptions repeat) {
        return [tokens = TokensOf(text), repeat](Lists& l) {
            l.list.ValidateVariables(tokens, repeat);
        };
    };
    const auto factors = [](const char* text, bool allByDefault) {
        return [tokens = TokensOf(text), allByDefault](Lists& l) {
            l.list.SetAllVarsByDefault(allByDefault);
            l.list.ValidateRegrMDVarList(tokens, l.factors, l.covariates, RepeatVarsError, {});
        };
    };
    const std::vector<TokenInfoObj> range = TokensOf("id TO v4");
    const std::vector<TokenInfoObj> some = TokensOf("v1 v3");
    return {
        {"names", list("v1 v2 v3 v4 age id", RepeatVarsError)},
        {"range and qualifiers", list("id TO v4 v2 (Q=1)", RepeatVarsKeep)},
        {"all", list("ALL", RepeatVarsDrop)},
        {"repeat", list("v1 v2 v1", RepeatVarsError)},
        {"unknown", list("v1 nosuch", RepeatVarsError)},
        {"by names",
         [](Lists& l) {
             l.list.ValidateVariables(std::vector<TavoVarName>{"v1", "age", "v2"}, RepeatVarsError);
         }},
        {"indices", [](Lists& l) { l.list.SetVariables({1, 2, 3, 6, 7, 2}, RepeatVarsKeep); }},
        {"exclude",
         [=](Lists& l) {
             l.list.ValidateVariables(range, RepeatVarsError);
             l.other.ValidateVariables(some, RepeatVarsError);
             l.list.ExcludeCommonVars(l.other, ErrorMessage);
         }},
        {"all but",
         [=](Lists& l) {
             l.other.ValidateVariables(some, RepeatVarsError);
             l.list.ValidateAllVars({&l.other}, ErrorMessage);
         }},
        {"split", [](Lists& l) { l.list.ValidateAllVars(l.covariates, {}, WarningMessage); }},
        {"factors", factors("v1 v2 BY gender region WITH income age", false)},
        {"factors by default", factors("v1 v2", true)},
        {"blocks",
         [tokens = TokensOf("v1 TO v3 v1 (a) id v2 (b) v4")](Lists& l) {
             l.list.ValidateVarBlocksAndQuals(tokens, l.blocks, {});
         }},
        {"registry",
         [](Lists& l) {
             std::vector<int> indices;
             l.registry.ValidateNewVarList({"v1", "age"}, indices, "VARS", "TABLES");
             l.registry.ValidateOtherVarList({"v2", "AGE"}, indices, "COVS", "TABLES");
         }},
        {"qualifiers",
         [tokens = TokensOf("v1 (1) age v3 (2 3)")](Lists& l) {
             l.list.SetAllowQualifiers(true);
             l.list.ValidateVarsAndQuals(tokens, l.quals, nullptr, nullptr);
         }},
    };
}

void ExpectListsConsistent(const Lists& lists, const TAVO_DataSource& dict) {
    ExpectConsistent(lists.list, dict, true, false);
    ExpectConsistent(lists.factors, dict, true, false);
    ExpectConsistent(lists.covariates, dict, true, false);
    ExpectConsistent(lists.other, dict, true, false);
    for (const VarSpecObj& block : lists.blocks) {
        ExpectConsistent(block, dict, true, false);
    }
}

// Whichever allocation of a validation fails, every list it touched still holds exactly the
// variables its flags say, and the failure is never silent.
TEST(Faults, EveryAllocationOfAValidationLeavesConsistentLists) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    for (const Validation& validation : Validations()) {
        SCOPED_TRACE(validation.name);
        long total = 0;
        {
            Lists lists(dict);
            refhost::MessageLog log;
            total = CountAllocations([&] { validation.run(lists); });
        }
        for (long at = 1; at <= total; ++at) {
            SCOPED_TRACE(at);
            Lists lists(dict);
            refhost::MessageLog log;
            const bool threw = FailingAt(at, [&] { validation.run(lists); });
            const std::vector<std::string> texts = Texts(log);
            const bool told = std::find(texts.begin(), texts.end(), kNoMemory) != texts.end();
            EXPECT_TRUE(threw || told) << "a failed allocation went unnoticed";
            ExpectListsConsistent(lists, dict);
        }
    }
}

// The review's case: names over a large dictionary, whose flags grow their table while the
// list grows. What the list holds must still be seen by another list's exclusion.
TEST(Faults, AFailedGrowthKeepsTheFlagsOfALongList) {
    refhost::Dictionary dict;
    for (int i = 0; i < 100000; ++i) {
        dict.addNumeric("v" + std::to_string(i + 1));
    }
    const std::vector<TokenInfoObj> tokens = TokensOf("v1 v2 v3 v4 v5 v6 v7 v8 v9 v10 v11 v12");
    const std::vector<TokenInfoObj> twelve = TokensOf("v12");
    VarSpecObj probe("VARS", "TABLES", "MDL", &dict);
    const long total = CountAllocations([&] { probe.ValidateVariables(tokens, RepeatVarsError); });
    for (long at = 1; at <= total; ++at) {
        SCOPED_TRACE(at);
        VarSpecObj list("VARS", "TABLES", "MDL", &dict);
        VarSpecObj other("OTHER", "TABLES", "MDL", &dict);
        FailingAt(at, [&] { list.ValidateVariables(tokens, RepeatVarsError); });
        ExpectConsistent(list, dict, false);
        const std::vector<int>& held = list.GetValidVarList();
        for (int index = 0; index < 12; ++index) {
            const bool listed = std::find(held.begin(), held.end(), index) != held.end();
            ASSERT_TRUE(other.SetVariable(index));
            EXPECT_EQ(other.ExcludeCommonVars(list, NoMessage), !listed) << index;
        }
    }
}

// A parameter added when its list needs a new block, its index a larger table, or both, fails
// at each allocation in turn and leaves the subcommand as it was: same names, same places,
// same counts, and the same addition succeeds afterwards.
TEST(Faults, AFailedParameterAdditionLeavesTheSubcommandAsItWas) {
    const auto name = [](int i) { return "P" + std::to_string(i); };
    for (const int size : {0, 1, 8, 511, 512, 1024, 1536, 12288}) {
        SCOPED_TRACE(size);
        const auto build = [&] {
            SubComDescriptor sub("S", SubComByEqual);
            for (int i = 0; i < size; ++i) {
                sub.addParamDesc(ParamDescriptor(name(i), ParamNumber, i % 2 == 0));
            }
            return sub;
        };
        const auto addTo = [&](SubComDescriptor& sub) {
            sub.addParamDesc(ParamDescriptor(name(size), ParamKeyWord, true));
        };
        SubComDescriptor probe = build();
        const long total = CountAllocations([&] { addTo(probe); });
        const int required = probe.getRequiredParamCount() - 1;
        SubComDescriptor sub;
        for (long at = 1; at <= total; ++at) {
            // Afresh each time: room a failed call did reserve is kept, which shifts the count.
            sub = build();
            ASSERT_TRUE(FailingAt(at, [&] { addTo(sub); })) << at;
            ASSERT_EQ(sub.getParamDescListSize(), size) << at;
            ASSERT_EQ(sub.getRequiredParamCount(), required) << at;
            ASSERT_EQ(sub.getParamDescIndex(name(size)), -1) << at;
            for (int i = 0; i < size; i += std::max(1, size / 64)) {
                ASSERT_EQ(sub.getParamDescIndex(name(i)), i) << at;
            }
        }
        sub = build();
        addTo(sub);
        EXPECT_EQ(sub.getParamDescListSize(), size + 1);
        EXPECT_EQ(sub.getParamDescIndex(name(size)), size);
        EXPECT_EQ(sub.getParamDesc(size)->getParamType(), ParamKeyWord);
        EXPECT_EQ(sub.getRequiredParamCount(), required + 1);
    }
}

// Everything a descriptor reports, its nested descriptors included.
std::string Describe(const ParamDescriptor* desc) {
    if (desc == nullptr) {
        return "-";
    }
    std::string text = desc->getParamName() + ":" + std::to_string(desc->getParamType()) + ":" +
                       std::to_string(desc->getLowerBdryOption()) + "/" +
                       std::to_string(desc->getLowerBdryValue()) + ":" +
                       std::to_string(desc->getUpperBdryOption()) + "/" +
                       std::to_string(desc->getUpperBdryValue()) + ":[";
    for (const std::string& word : desc->getStringValues()) {
        text += word + ",";
    }
    std::vector<std::string> names;
    desc->getQualifNames(names);
    for (const std::string& name : names) {
        text += Describe(desc->getQualifDesc(name)) + ",";
    }
    return text + "](" + Describe(desc->getMainDesc()) + ")(" + Describe(desc->getQualifDesc()) +
           ")";
}

// A plain parameter, its defaults set explicitly, is copied without an allocation. Setting a
// part it lacks allocates: should any allocation of a setting fail, the descriptor reads as
// it did, whether it had that part or not, and the same setting succeeds afterwards.
TEST(Faults, AFailedSettingLeavesTheDescriptorAsItWas) {
    ParamDescriptor plain("P", ParamNumber);
    plain.setLowerBoundary(0, LowerNone);
    plain.setUpperBoundary(0, UpperNone);
    plain.setMainQualDesc(nullptr, nullptr);
    plain.setMainDesc(nullptr);
    EXPECT_EQ(CountAllocations([&] { const ParamDescriptor copy(plain); }), 0);

    ParamDescriptor inner("INNER", ParamStringQual);
    inner.addQualifDesc("Q");
    ParamDescriptor full("F", ParamTokenQual);
    full.setLowerBoundary(-1, LowerExcluded);
    full.addStringValue("old");
    full.addQualifDesc("INNER");
    full.setMainQualDesc(&plain, &plain);
    const std::vector<std::function<void(ParamDescriptor&)>> settings = {
        [](ParamDescriptor& d) { d.setLowerBoundary(1, LowerIncluded); },
        [](ParamDescriptor& d) { d.setUpperBoundary(2, UpperExcluded); },
        [](ParamDescriptor& d) { d.addStringValue("word"); },
        [&](ParamDescriptor& d) { d.addQualifDesc(inner); },
        [&](ParamDescriptor& d) { d.setMainDesc(&inner); },
        [&](ParamDescriptor& d) { d.setQualifDesc(&inner); },
        [&](ParamDescriptor& d) { d.setMainQualDesc(&inner, &inner); },
    };
    for (std::size_t i = 0; i < settings.size(); ++i) {
        for (const ParamDescriptor* start : {&plain, &full}) {
            SCOPED_TRACE(std::to_string(i) + " on " + start->getParamName());
            const std::string before = Describe(start);
            ParamDescriptor probe(*start);
            const long total = CountAllocations([&] { settings[i](probe); });
            if (start == &plain) {
                EXPECT_GT(total, 0);
            }
            for (long at = 1; at <= total; ++at) {
                ParamDescriptor desc(*start);
                ASSERT_TRUE(FailingAt(at, [&] { settings[i](desc); })) << at;
                ASSERT_EQ(Describe(&desc), before) << at;
            }
            ParamDescriptor desc(*start);
            settings[i](desc);
            EXPECT_EQ(Describe(&desc), Describe(&probe));
            EXPECT_NE(Describe(&desc), before);
        }
    }
}

// Between lists the cheap operations give the strong guarantee: a failed exclusion or
// assignment leaves the list as it was.
TEST(Faults, FailedExclusionsAndCopiesLeaveTheListAsItWas) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    VarSpecObj list("VARS", "TABLES", "MDL", &dict);
    VarSpecObj other("OTHER", "TABLES", "MDL", &dict);
    ASSERT_TRUE(list.ValidateVariables(TokensOf("id TO v4 name"), RepeatVarsError));
    ASSERT_TRUE(other.ValidateVariables(TokensOf("v1 v3 age"), RepeatVarsError));
    const std::vector<int> before = list.GetValidVarList();

    VarSpecObj target("TARGET", "TABLES", "MDL", &dict);
    ASSERT_TRUE(target.ValidateVariables(TokensOf("city"), RepeatVarsError));
    VarSpecObj assigned = target;
    const long copies = CountAllocations([&] { assigned = list; });
    for (long at = 1; at <= copies; ++at) {
        if (FailingAt(at, [&] { target = list; })) {
            EXPECT_THAT(target.GetValidVarList(), ElementsAre(testsupport::vars::kCity));
            ExpectConsistent(target, dict);
        }
    }

    VarSpecObj probe = list;
    const long total = CountAllocations([&] { probe.ExcludeCommonVars(other, NoMessage); });
    for (long at = 1; at <= total; ++at) {
        VarSpecObj copy = list;
        if (FailingAt(at, [&] { copy.ExcludeCommonVars(other, NoMessage); })) {
            EXPECT_EQ(copy.GetValidVarList(), before) << at;
            ExpectConsistent(copy, dict);
        }
    }
}

// More names than memory can hold: the room for the answer is taken before any name is made,
// so the request fails at once and leaves the output alone.
TEST(Faults, ImpossibleNameCountFailsAtOnce) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    const VarSpecObj spec("VARS", "TABLES", "MDL", &dict);
    std::vector<TavoVarName> names{"kept"};
    gAlloc.byteLimit = gAlloc.liveBytes + (64u << 20);
    EXPECT_THROW(spec.NewVarNamesByRoot(TavoVarName("r"), INT_MAX, names), std::bad_alloc);
    gAlloc.byteLimit = 0;
    EXPECT_THAT(names, ElementsAre("kept"));
}

// A dictionary that throws from any call: the exception reaches the caller unchanged, and the
// lists stay consistent and leak nothing.
TEST(Faults, AThrowingDictionaryPassesThroughAndLeavesConsistentLists) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    for (const Validation& validation : Validations()) {
        SCOPED_TRACE(validation.name);
        testsupport::FaultyDataSource probe(dict);
        long calls = 0;
        {
            Lists lists(probe);
            refhost::MessageLog log;
            const long before = probe.calls();
            validation.run(lists);
            calls = probe.calls() - before;
        }
        for (long call = 1; call <= calls; ++call) {
            SCOPED_TRACE(call);
            testsupport::FaultyDataSource faulty(dict);
            const long live = gAlloc.live;
            {
                Lists lists(faulty);
                faulty.throwAt(call);
                refhost::MessageLog log;
                EXPECT_THROW(validation.run(lists), HostFault);
                faulty.throwAt(0);
                ExpectListsConsistent(lists, dict);
            }
            EXPECT_EQ(gAlloc.live, live) << "leaked";
        }
    }
}

// A value's tokens that hold their texts in blocks of their own (too long to fit inside)
// free them with the value, however the value was made, copied, moved or replaced; one of
// short tokens only frees its list without visiting them.
TEST(Faults, AValueFreesTheTextBlocksOfItsTokens) {
    const std::string longName = "a_name_too_long_for_the_token_itself";
    const std::vector<TokenInfoObj> mixed = TokensOf(longName + " short 'another long text here'");
    const std::vector<TokenInfoObj> shortOnly = TokensOf("a b c d e f g h i j");
    ASSERT_TRUE(mixed[0].hasTextBlock());
    ASSERT_FALSE(shortOnly[3].hasTextBlock());
    // The parts a compound reader writes: a parsed run, a leading token.
    const std::vector<TokenInfoObj> introduced = TokensOf("= " + longName + " 'a long text here'");
    const auto readParts = [&introduced](const ParamObj& longFirst) {
        struct Reader : ParamObj {
            using ParamObj::ParamObj;
            using ParamObj::parseTokenList;
        };
        Reader parsed(TokenOf("KEY"), UPSpecTypes::ParamNoType);
        EXPECT_TRUE(parsed.parseTokenList(introduced, UPSpecTypes::QualifByEqual, nullptr, nullptr));
        EXPECT_EQ(parsed.getTokenListSize(), 2u);
        ParamObj leading;
        ParamObj qualifier;
        longFirst.getTokenAndQual(leading, qualifier, nullptr, nullptr);
        ASSERT_EQ(leading.getTokenListSize(), 1u);
        EXPECT_TRUE(leading.getTokenObj(0u)->hasTextBlock());
    };
    {
        // Once first: what the library makes once on first use stays.
        ParamObj warmUp(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        ASSERT_TRUE(warmUp.setTokenList(mixed));
        readParts(warmUp);
    }
    const long live = gAlloc.live;
    {
        ParamObj copied(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        ParamObj moved(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        ParamObj whole(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        for (std::size_t i = 0; i < 5; ++i) {  // past the inline token and the first block
            for (const TokenInfoObj& token : shortOnly) {
                ASSERT_TRUE(copied.addTokenObj(token));
            }
            for (const TokenInfoObj& token : mixed) {
                ASSERT_TRUE(i % 2 == 0 ? copied.addTokenObj(token)
                                       : moved.addTokenObj(TokenInfoObj(token)));
            }
        }
        ASSERT_TRUE(whole.setTokenList(mixed));
        ParamObj lastAlone(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        ASSERT_TRUE(lastAlone.addTokenObj(TokenOf(longName)));
        std::vector<ParamObj> params{copied, moved, whole, lastAlone};
        ParamObj assigned;
        assigned = params[0];
        params.emplace_back(std::move(assigned));
        params[1] = std::move(params[2]);
        ParamObj shortList(TokenOf("KEY"), UPSpecTypes::ParamTokenList);
        ASSERT_TRUE(shortList.setTokenList(shortOnly));
        params[3] = shortList;
        EXPECT_EQ(std::size_t{params[3].getTokenListSize()}, shortOnly.size());
        readParts(whole);
    }
    EXPECT_EQ(gAlloc.live, live) << "leaked";
    // Through the parser: a long name in a long value and alone as a value. The first parse
    // may leave what the host makes once.
    const auto parse = [&longName] {
        refhost::TextTokenSequence tokens("CMD /SUB a b c d e " + longName + " f /OTHER " +
                                          longName + ".");
        refhost::MessageLog log;
        CommandSpec spec;
        UniversalParser parser(tokens, spec);
        ASSERT_EQ(parser.getCommandSpecifications(), 0);
        CommandSpec copy = spec;
    };
    parse();
    const long afterFirst = gAlloc.live;
    parse();
    EXPECT_EQ(gAlloc.live, afterFirst) << "leaked";
}

// A subcommand whose parameters hold no heap block releases them without visiting each; one
// that holds a block anywhere, in any parameter but the last, or in the last alone, frees it.
TEST(Faults, ASubcommandFreesWhatAnyOfItsParametersHolds) {
    const std::string longWord = "A_KEYWORD_TOO_LONG_FOR_THE_TOKEN";
    const auto plain = [](const std::string& key) {
        ParamObj param(TokenOf(key), UPSpecTypes::ParamTokenList, "SUB");
        EXPECT_TRUE(param.addTokenObj(TokenOf("1")));
        return param;
    };
    ParamObj longKeyword(TokenOf(longWord), UPSpecTypes::ParamKeyWord, "SUB");
    ParamObj longExtName(TokenOf("K"), UPSpecTypes::ParamKeyWord, "A_SUBCOMMAND_NAME_THAT_IS_LONG");
    ParamObj twoTokens = plain("K");
    ASSERT_TRUE(twoTokens.addTokenObj(TokenOf("2")));
    ParamObj storedValue(TokenOf("K"), UPSpecTypes::ParamNumber, "SUB");
    ASSERT_TRUE(storedValue.setNumberValue(2.5));
    for (const ParamObj* holder : {&longKeyword, &longExtName, &twoTokens, &storedValue}) {
        for (const std::size_t at : {0, 3, 7}) {  // first, amid, last
            SCOPED_TRACE(at);
            const long live = gAlloc.live;
            {
                SubComObj sub("SUB");
                for (std::size_t i = 0; i < 8; ++i) {
                    if (i == at) {
                        sub.addParamObj(*holder);
                    } else {
                        sub.addParamObj(plain("P" + std::to_string(i)));
                    }
                }
                SubComObj copy(sub);
                SubComObj assigned;
                assigned = std::move(copy);
            }
            EXPECT_EQ(gAlloc.live, live) << "leaked";
        }
    }
    const auto parse = [&longWord](const std::string& subcommand) {
        refhost::TextTokenSequence tokens("CMD /" + subcommand + " A=1 B=2 " + longWord +
                                          "=3 C=4 D=5 E=6 / OTHER F=1 G=2 H=3 " + longWord + ".");
        refhost::MessageLog log;
        CommandSpec spec;
        UniversalParser parser(tokens, spec);
        ASSERT_EQ(parser.getCommandSpecifications(), 0);
    };
    for (const std::string subcommand : {"SUB", "A_SUBCOMMAND_NAME_THAT_IS_LONG"}) {
        parse(subcommand);
        const long live = gAlloc.live;
        parse(subcommand);
        EXPECT_EQ(gAlloc.live, live) << "leaked";
    }
}

// A group whose subcommands hold no heap block releases them without visiting each; one that
// holds a block anywhere (name, a parameter, its parameter list, its leading value), first,
// amid or last, past the group's first block of subcommands too, frees it.
TEST(Faults, AGroupFreesWhatAnyOfItsSubcommandsHolds) {
    const std::string longWord = "A_KEYWORD_TOO_LONG_FOR_THE_TOKEN";
    const auto plain = [](const std::string& name) {
        SubComObj sub(name);
        sub.addParamObj(ParamObj(TokenOf("K"), UPSpecTypes::ParamKeyWord, name));
        return sub;
    };
    SubComObj longName = plain("A_SUBCOMMAND_NAME_THAT_IS_LONG");
    SubComObj longKeyword("SUB");
    longKeyword.addParamObj(ParamObj(TokenOf(longWord), UPSpecTypes::ParamKeyWord, "SUB"));
    SubComObj twoParams = plain("SUB");
    twoParams.addParamObj(ParamObj(TokenOf("L"), UPSpecTypes::ParamKeyWord, "SUB"));
    SubComObj leadingValue = plain("SUB");
    leadingValue.addParamExportToken(TokenOf(longWord));
    const SubComObj filler = plain("SUB");
    for (const SubComObj* holder : {&longName, &longKeyword, &twoParams, &leadingValue}) {
        // First, in a later block, last; the next one added by copy after the first, by move
        // after the second.
        for (const std::size_t at : {0, 151, 299}) {
            SCOPED_TRACE(at);
            const long live = gAlloc.live;
            {
                GroupComObj group;
                for (std::size_t i = 0; i < 300; ++i) {
                    if (i == at) {
                        group.addSubComObj(*holder);
                    } else if (i % 2 == 1) {
                        group.addSubComObj(filler);
                    } else {
                        group.addSubComObj(plain("SUB"));
                    }
                }
                GroupComObj copy(group);
                GroupComObj assigned;
                assigned = std::move(copy);
                EXPECT_EQ(assigned.getSubComListSize(), 300u);
            }
            EXPECT_EQ(gAlloc.live, live) << "leaked";
        }
    }
    const auto parse = [&longWord](std::size_t at) {
        std::string text = "CMD";
        for (std::size_t i = 0; i < 200; ++i) {
            text += i == at ? " /SUB " + longWord + "=1" : " /SUB K=" + std::to_string(i);
        }
        refhost::TextTokenSequence tokens(text + ".");
        refhost::MessageLog log;
        CommandSpec spec;
        UniversalParser parser(tokens, spec);
        ASSERT_EQ(parser.getCommandSpecifications(), 0);
    };
    for (const std::size_t at : {0, 150, 199, 200}) {
        SCOPED_TRACE(at);
        parse(at);
        const long live = gAlloc.live;
        parse(at);
        EXPECT_EQ(gAlloc.live, live) << "leaked";
    }
    // A copy that runs out of memory part way, in the first block or a later one, frees what
    // it had made.
    GroupComObj group;
    for (std::size_t i = 0; i < 300; ++i) {
        group.addSubComObj(i % 7 == 0 ? longName : plain("SUB"));
    }
    const long total = CountAllocations([&group] { GroupComObj copy(group); });
    for (long at = 1; at <= total; at += std::max(1L, total / 40)) {
        const long live = gAlloc.live;
        EXPECT_TRUE(FailingAt(at, [&group] { GroupComObj copy(group); })) << at;
        EXPECT_EQ(gAlloc.live, live) << "leaked at " << at;
    }
}

// The decimal character is whatever the host writes between the digits of 1.1; a host whose
// ToString fails, or fills the field with stars, writes numbers with ".".
TEST(Faults, AFailingToStringLeavesTheDecimalPoint) {
    refhost::Dictionary dict;
    TAVO_Variable tenths("tenths", 0, TAVO_Variable_Enumerations::Scale, TAVO_Format{8, 5, 1});
    dict.addVariable(tenths);
    VarSpecObj list("VALUE", "MAP", "BUCKET", &dict);
    ASSERT_TRUE(list.SetVariable(0));
    for (const Conversion fault : {Conversion::Fails, Conversion::WritesStars}) {
        testsupport::SetToString(fault);
        EXPECT_EQ(GetLocaleCharacter(), '.');
        OBS* cell = nullptr;
        TAVO_Format format{};
        EXPECT_TRUE(list.ValidateCatValue("3.5", cell, format));
        EXPECT_DOUBLE_EQ(cell->f, 3.5);
        VarSpecObj::ReleaseOBS(cell);
    }
    testsupport::SetToString(Conversion::Throws);
    EXPECT_THROW(GetLocaleCharacter(), HostFault);
    testsupport::SetToString(Conversion::Host);
}

// A procedure's run says it never throws: a host service's exception of any type becomes an
// internal failure, and the value cells read before it are given back.
TEST(Faults, AProcedureSurvivesAThrowingConversion) {
    const refhost::Dictionary dict = testsupport::TestDictionary();
    const examples::Procedure* bucket = nullptr;
    for (const examples::Procedure* procedure : examples::AllProcedures()) {
        if (procedure->name() == "BUCKET") {
            bucket = procedure;
        }
    }
    ASSERT_NE(bucket, nullptr);
    refhost::TextTokenSequence tokens("BUCKET zone /MAP region gender ; 2 1 20 ; 1 2 11.");
    refhost::MessageLog log;
    ASSERT_TRUE(bucket->run(tokens, dict).ok());

    testsupport::SetFromString(Conversion::Throws);
    const long live = gAlloc.live;
    examples::Stage stage = examples::Stage::Done;
    EXPECT_NO_THROW(stage = bucket->run(tokens, dict).stage);
    testsupport::SetFromString(Conversion::Host);
    EXPECT_EQ(stage, examples::Stage::Internal);
    EXPECT_EQ(gAlloc.live, live) << "leaked";
}

}  // namespace
