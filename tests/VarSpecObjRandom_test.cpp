// Random token lists through the list validators: every call must end in true or false, leave
// the flags in agreement with the lists, and keep the promises of the result (numeric lists
// hold numeric variables, factor, covariate and dependent lists do not overlap, blocks are
// disjoint). Fixed seeds keep failures reproducible.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "support/TestDictionary.h"
#include "support/Tokens.h"
#include "support/VarLists.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;
using testsupport::ExpectConsistent;

// A dictionary large enough for lists to be held sparsely as well as densely, with string
// variables (one of them continuous) and every measurement level.
refhost::Dictionary LargeDictionary() {
    using namespace TAVO_Variable_Enumerations;
    refhost::Dictionary dictionary;
    const MeasurementLevel levels[] = {Scale, Nominal, Ordinal, Unknown};
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "x" + std::to_string(i);
        if (i % 7 == 3) {
            dictionary.addString(name, 1 + i % 20, i == 1000 ? Scale : Nominal);
        } else {
            dictionary.addNumeric(name, levels[i % 4], i % 3);
        }
    }
    return dictionary;
}

class RandomLists {
  public:
    RandomLists(const TAVO_DataSource& dict, unsigned seed) : mDict(dict), mRandom(seed) {}

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(mRandom); }
    bool Coin(int percent = 50) { return Pick(100) < percent; }

    std::string Name() {
        if (Coin(10)) {
            return Coin() ? "nosuch" : "1bad";
        }
        return NameOf(Pick(Columns()));
    }

    std::string NameOf(int index) {
        std::string name = mDict.GetVariable(index).GetName();
        if (Coin(20)) {
            for (char& c : name) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        return name;
    }

    // Half noise, half lists that look like what users write, so that both failures and
    // successes (short and long lists) are common.
    std::string Text(int maxTokens) {
        if (Coin()) {
            std::string text = List();
            if (Coin(40)) {
                text += " BY " + List();
            }
            if (Coin(40)) {
                text += " WITH " + List();
            }
            return text;
        }
        static const char* const kOthers[] = {"TO", "ALL", "BY", "WITH", "12", "-3.5", "'lit'",
                                              "(",  ")",   "=",  "*",    "/",  "+",    ","};
        std::string text;
        const int count = Pick(maxTokens + 1);
        for (int i = 0; i < count; ++i) {
            text += (Coin(55) ? Name() : std::string(kOthers[Pick(14)])) + " ";
        }
        return text;
    }

    std::string List() {
        std::string text;
        if (Coin(10)) {
            text = "ALL";
        } else {
            const int count = 1 + Pick(3);
            for (int i = 0; i < count; ++i) {
                if (Coin(25)) {
                    const int first = Pick(Columns());
                    const int last = Coin(90) ? first + Pick(Columns() - first) : Pick(Columns());
                    text += NameOf(first) + " TO " + NameOf(last) + " ";
                } else {
                    text += Name() + " ";
                }
            }
        }
        return Coin(25) ? text + " (Q = 1)" : text;
    }

    RepeatVarOptions Repeat() { return static_cast<RepeatVarOptions>(Pick(5)); }

    // A list object with assorted settings.
    VarSpecObj Spec(const std::string& param) {
        VarSpecObj spec(param, "SUB", "CMD", &mDict, Coin(30));
        spec.SetAllowQualifiers(Coin());
        spec.SetErrorReport(Coin(80));
        if (Coin(20)) {
            spec.SetNoVarsMessage("Nothing left...");
        }
        return spec;
    }

    // Other lists holding a few random variables.
    std::vector<VarSpecObj> Others() {
        std::vector<VarSpecObj> others;
        const int count = Pick(3);
        for (int i = 0; i < count; ++i) {
            VarSpecObj other("OTHER", "SUB", "CMD", &mDict);
            std::vector<int> indices;
            const int size = Pick(Coin(10) ? Columns() : 6);
            for (int k = 0; k < size; ++k) {
                indices.push_back(Pick(Columns()));
            }
            EXPECT_TRUE(other.SetVariables(indices, RepeatVarsDrop));
            others.push_back(other);
        }
        return others;
    }

    int Columns() const { return static_cast<int>(mDict.ColumnCount()); }

  private:
    const TAVO_DataSource& mDict;
    std::mt19937 mRandom;
};

std::vector<const VarSpecObj*> Pointers(const std::vector<VarSpecObj>& objects, bool withNull) {
    std::vector<const VarSpecObj*> pointers;
    for (const VarSpecObj& object : objects) {
        pointers.push_back(&object);
    }
    if (withNull) {
        pointers.push_back(nullptr);
    }
    return pointers;
}

bool Disjoint(const VarSpecObj& left, const VarSpecObj& right) {
    for (const int index : left.GetValidVarList()) {
        if (right.IsValidVariable(index)) {
            return false;
        }
    }
    return true;
}

int Errors(const refhost::MessageLog& log) {
    int errors = 0;
    for (const refhost::Emitted& message : log.messages()) {
        errors += message.level == 3 ? 1 : 0;
    }
    return errors;
}

// A result of true comes without errors; a false one with at least one, unless the object was
// told to keep its guarded reports to itself.
void ExpectReported(bool result, bool errorReport, const refhost::MessageLog& log) {
    if (result) {
        EXPECT_EQ(Errors(log), 0);
    } else if (errorReport) {
        EXPECT_GT(Errors(log), 0);
    }
}

void RunValidateVariables(const TAVO_DataSource& dict, unsigned seed, int rounds) {
    RandomLists random(dict, seed);
    for (int round = 0; round < rounds; ++round) {
        refhost::MessageLog log;
        const std::vector<TokenInfoObj> tokens = TokensOf(random.Text(12));
        VarSpecObj spec = random.Spec("VARS");
        const RepeatVarOptions repeat = random.Repeat();
        const int start = tokens.empty() ? 0 : random.Pick(static_cast<int>(tokens.size()) + 1);
        int pos = start;
        const bool result = spec.ValidateVariables(tokens, repeat, pos,
                                                   random.Coin() ? "BY" : nullptr, random.Coin());
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round);
        ExpectConsistent(spec, dict, repeat == RepeatVarsKeep);
        ExpectReported(result, spec.GetErrorReport(), log);
        if (result) {
            EXPECT_GT(pos, start);
            EXPECT_LE(pos, static_cast<int>(tokens.size()));
            EXPECT_GT(spec.GetNValidVars(), 0);
        }
    }
}

void RunRegrMD(const TAVO_DataSource& dict, unsigned seed, int rounds) {
    RandomLists random(dict, seed);
    ParamDescriptor level("LEVEL", ParamInteger, false, false);
    for (int round = 0; round < rounds; ++round) {
        refhost::MessageLog log;
        const std::vector<TokenInfoObj> tokens = TokensOf(random.Text(14));
        VarSpecObj deps = random.Spec("DEPS");
        deps.SetAllVarsByDefault(random.Coin(20));
        VarSpecObj factors = random.Spec("FACTORS");
        VarSpecObj covariates = random.Spec("COVARIATES");
        const std::vector<VarSpecObj> others = random.Others();
        const RepeatVarOptions repeat = random.Repeat();
        const bool withQuals = random.Coin();
        std::vector<ParamObj> quals;
        const bool result = withQuals
                                ? deps.ValidateRegrMDVarList(tokens, factors, covariates, repeat,
                                                             Pointers(others, random.Coin()), quals,
                                                             random.Coin() ? &level : nullptr)
                                : deps.ValidateRegrMDVarList(tokens, factors, covariates, repeat,
                                                             Pointers(others, random.Coin()));
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round);
        ExpectConsistent(deps, dict, repeat == RepeatVarsKeep && !withQuals);
        ExpectConsistent(factors, dict, repeat == RepeatVarsKeep);
        // Splitting the dictionary hands a continuous string variable to the covariates before
        // it fails.
        ExpectConsistent(covariates, dict, repeat == RepeatVarsKeep, result);
        ExpectReported(
            result,
            deps.GetErrorReport() && factors.GetErrorReport() && covariates.GetErrorReport(), log);
        if (result) {
            EXPECT_GT(deps.GetNValidVars(), 0);
            EXPECT_TRUE(Disjoint(factors, covariates));
            EXPECT_TRUE(Disjoint(deps, factors));
            EXPECT_TRUE(Disjoint(deps, covariates));
            if (withQuals) {
                EXPECT_EQ(quals.size(), deps.GetValidVarList().size());
            }
            for (const VarSpecObj& other : others) {
                if (factors.GetNValidVars() + covariates.GetNValidVars() > 0) {
                    EXPECT_TRUE(Disjoint(factors, other));
                    EXPECT_TRUE(Disjoint(covariates, other));
                }
            }
        }
    }
}

void RunBlocks(const TAVO_DataSource& dict, unsigned seed, int rounds) {
    RandomLists random(dict, seed);
    for (int round = 0; round < rounds; ++round) {
        refhost::MessageLog log;
        std::vector<TokenInfoObj> tokens = TokensOf(random.Text(16));
        if (tokens.empty()) {
            tokens = TokensOf(random.Name());
        }
        VarSpecObj spec = random.Spec("VARS");
        if (random.Coin(30)) {
            spec.SetVariables({0, random.Columns() - 1}, RepeatVarsError);
        }
        const std::vector<int> before = spec.GetValidVarList();
        const std::vector<VarSpecObj> others = random.Others();
        std::vector<VarSpecObj> blocks;
        log.clear();
        const bool result =
            spec.ValidateVarBlocksAndQuals(tokens, blocks, Pointers(others, random.Coin()));
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round);
        EXPECT_EQ(spec.GetValidVarList(), before);
        ExpectReported(result, spec.GetErrorReport(), log);
        if (result) {
            EXPECT_FALSE(blocks.empty());
        }
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            ExpectConsistent(blocks[b], dict, false);
            EXPECT_GT(blocks[b].GetNValidVars(), 0);
            for (std::size_t later = b + 1; later < blocks.size(); ++later) {
                EXPECT_TRUE(Disjoint(blocks[b], blocks[later]));
            }
            for (const VarSpecObj& other : others) {
                EXPECT_TRUE(Disjoint(blocks[b], other));
            }
        }
    }
}

// Seeds seed to seed + 3 on the test dictionary, then seed + 10 on the large one.
void OnBothDictionaries(void (*run)(const TAVO_DataSource&, unsigned, int), unsigned seed,
                        int smallRounds, int largeRounds) {
    const refhost::Dictionary small = testsupport::TestDictionary();
    for (unsigned offset = 0; offset < 4; ++offset) {
        run(small, seed + offset, smallRounds);
    }
    run(LargeDictionary(), seed + 10, largeRounds);
}

TEST(VarSpecObjRandom, ValidateVariables) {
    OnBothDictionaries(RunValidateVariables, 1, 1500, 400);
}

TEST(VarSpecObjRandom, RegressionLists) {
    OnBothDictionaries(RunRegrMD, 21, 1000, 150);
}

TEST(VarSpecObjRandom, Blocks) {
    OnBothDictionaries(RunBlocks, 41, 1000, 150);
}

}  // namespace
