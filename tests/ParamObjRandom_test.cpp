// Random token lists against random well-formed descriptors: every check must end in true or
// false, with one diagnostic exactly when it ends in false, and never stop on an assertion.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "support/ParamValues.h"
#include "support/Tokens.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParserMessage.h"

namespace {

using namespace UPSpecTypes;
using testsupport::Part;

// Words, reserved words, numbers, literals and every operator the value readers look at.
const std::vector<std::string> kTokenTexts = {
    "a",   "B",          "key",   "Mean",    "yes", "cut", "flag", "x1", "@v", "value",
    "ALL", "TO",         "BY",    "with",    "and", "1",   "2.5",  "-3", "0",  "1e3",
    "10",  "2147483648", "'lit'", "\"x y\"", "''",  "(",   ")",    "[",  "]",  "=",
    ";",   "*",          "/",     ",",       "+",   "<=",  "&",    ":",  "!",  "%"};
const std::vector<std::string> kNames = {"", "KEY", "A", "B", "CUT", "FLAG", "VALUE"};
const std::vector<std::string> kWords = {"a", "yes", "mean", "cut", "all", "by", "1"};
const std::vector<double> kBounds = {-1, 0, 1, 2.5, 10};

class Generator {
  public:
    explicit Generator(unsigned seed) : mRandom(seed) {}

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(mRandom); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T>
    const T& among(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(pick(static_cast<int>(values.size())))];
    }

    std::string text() {
        std::string result;
        for (int n = pick(9); n > 0; --n) {
            result += among(kTokenTexts) + " ";
        }
        return result;
    }

    // Compound types always get the parts their readers require, so that only token content
    // varies; depth bounds the tree.
    ParamDescriptor descriptor(int depth) {
        const int typeCount = depth > 0 ? ParamStringQualList + 1 : ParamKeyWordValue;
        ParamSpec type = static_cast<ParamSpec>(pick(typeCount));
        if (chance(2)) {
            type = static_cast<ParamSpec>(99);  // not a type a grammar should hold
        }
        ParamDescriptor desc(among(kNames), type, chance(20), chance(75),
                             static_cast<BracketOptions>(pick(3)));
        desc.setBlockOption(static_cast<BlockOptions>(pick(4)));
        desc.setQualifOption(static_cast<QualifOptions>(pick(3)));
        if (chance(30)) {
            desc.setLowerBoundary(among(kBounds), static_cast<LowerBdryOptions>(pick(3)));
        }
        if (chance(30)) {
            desc.setUpperBoundary(among(kBounds), static_cast<UpperBdryOptions>(pick(3)));
        }
        if (chance(40)) {
            for (int n = 1 + pick(3); n > 0; --n) {
                desc.addStringValue(among(kWords));
            }
        }
        const bool qualifierOnly = type == ParamStringQual || type == ParamStringQualList;
        if (depth > 0 && (qualifierOnly || chance(15))) {
            for (int n = 1 + pick(3); n > 0; --n) {
                ParamDescriptor qualifier = descriptor(depth - 1);
                qualifier.setParamName(among(kNames));
                desc.addQualifDesc(qualifier);
            }
        }
        const bool keywordValue = type == ParamKeyWordValue;
        if (depth > 0 && (keywordValue || type == ParamTokenQual || chance(10))) {
            const ParamDescriptor main = descriptor(depth - 1);
            const ParamDescriptor qualif = descriptor(depth - 1);
            desc.setMainQualDesc(keywordValue || chance(70) ? &main : nullptr,
                                 keywordValue || chance(70) ? &qualif : nullptr);
        }
        return desc;
    }

    ParamObj param(const std::string& text) {
        ParamObj param(chance(80) ? TokenOf("key") : TokenInfoObj(), ParamTokenList);
        param.setTokenList(TokensOf(text));
        param.setSubComExtName(chance(80) ? "SUB" : "");
        if (chance(20)) {
            param.setParentName("PARENT");
        }
        if (chance(15)) {
            param.setType(ParamKeyWord);
        } else if (chance(10)) {
            param.setType(static_cast<ParamSpec>(pick(ParamStringQualList + 1)));
        }
        return param;
    }

  private:
    std::mt19937 mRandom;
};

// One diagnostic exactly when the answer is false; the same answer without a message object.
template <typename Check>
void ExpectOneDiagnosticPerFailure(const Check& check, const std::string& context) {
    bool answer = false;
    std::size_t emitted = 0;
    std::string first;
    {
        refhost::MessageLog log;
        answer = check(true);
        emitted = log.messages().size();
        if (emitted > 0) {
            first = log.messages()[0].text;
        }
    }
    EXPECT_EQ(emitted, answer ? 0U : 1U) << context << " first: " << first;
    refhost::MessageLog silent;
    EXPECT_EQ(check(false), answer) << context;
    EXPECT_TRUE(silent.messages().empty()) << context;
}

TEST(ParamObjRandom, EveryCheckEndsInOneAnswerAndAtMostOneDiagnostic) {
    const ParserMessage msg;
    for (const unsigned seed : {1U, 2U, 3U}) {
        Generator random(seed);
        for (int round = 0; round < 2500; ++round) {
            const std::string text = random.text();
            const ParamDescriptor desc = random.descriptor(2);
            const ParamObj param = random.param(text);
            std::ostringstream context;
            context << "seed " << seed << " round " << round << " type " << desc.getParamType()
                    << " value [" << text << "]";
            const auto with = [&](bool report) { return report ? &msg : nullptr; };

            ExpectOneDiagnosticPerFailure(
                [&](bool report) { return param.canGetValue(&desc, with(report)); }, context.str());
            ExpectOneDiagnosticPerFailure(
                [&](bool report) { return param.canGetValue(nullptr, with(report)); },
                context.str() + " without descriptor");

            const QualifOptions qualOpt = static_cast<QualifOptions>(random.pick(3));
            const bool described = random.chance(80);
            ExpectOneDiagnosticPerFailure(
                [&](bool report) {
                    Part part(param.getKeyWordToken(), ParamNoType);
                    return part.parseTokenList(TokensOf(text), qualOpt, described ? &desc : nullptr,
                                               with(report));
                },
                context.str() + " value part");
            ExpectOneDiagnosticPerFailure(
                [&](bool report) {
                    ParamObj token;
                    ParamObj qualifiers;
                    return param.getTokenAndQual(token, qualifiers, &desc, with(report));
                },
                context.str() + " token and qualifiers");
            ExpectOneDiagnosticPerFailure(
                [&](bool report) {
                    ParamObj qualifiers;
                    return param.getStringAndQual(qualifiers, &desc, with(report));
                },
                context.str() + " qualifiers");
            std::vector<std::string> qualifierNames;
            if (desc.getQualifNames(qualifierNames) > 0) {
                ExpectOneDiagnosticPerFailure(
                    [&](bool report) {
                        std::vector<ParamObj> items;
                        return param.getStringQualList(items, &desc, with(report));
                    },
                    context.str() + " qualifier list");
            }
            if (desc.getMainDesc() != nullptr && desc.getQualifDesc() != nullptr) {
                ExpectOneDiagnosticPerFailure(
                    [&](bool report) {
                        ParamObj keyword;
                        ParamObj value;
                        return param.getKeywordAndValue(keyword, value, &desc, with(report));
                    },
                    context.str() + " keyword and value");
            }

            std::vector<TavoVarName> names;
            VarCatList list;
            param.getCrossVarList(names);
            param.getVarCatList(list);
            if (HasFailure()) {
                return;  // one reproducible case is enough to report
            }
        }
    }
}

}  // namespace
