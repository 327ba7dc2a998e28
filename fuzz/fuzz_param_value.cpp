// Token lists against every value type: the value check and the compound readers of a
// parameter must answer, report at most what they promise, and never stop the host.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "refhost/MessageLog.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamObj.h"
#include "uparser/ParserMessage.h"
#include "uparser/VarCatList.h"

namespace {

using namespace UPSpecTypes;
using fuzzsupport::ByteReader;

class Part : public ParamObj {
  public:
    using ParamObj::ParamObj;
    using ParamObj::parseTokenList;
};

// A failed check reports exactly one diagnostic and a passed one none; without a message
// object the answer is the same and nothing is said.
template <typename Check>
void OneDiagnosticPerFailure(const Check& check) {
    const ParserMessage msg;
    bool answer = false;
    {
        refhost::MessageLog log;
        answer = check(&msg);
        FUZZ_CHECK(log.messages().size() == (answer ? 0U : 1U));
    }
    refhost::MessageLog silent;
    FUZZ_CHECK(check(nullptr) == answer);
    FUZZ_CHECK(silent.messages().empty());
}

// Gives a descriptor of type the parts that the readers of that type require.
void CompleteFor(ParamDescriptor& desc, ByteReader& in) {
    const ParamSpec type = desc.getParamType();
    std::vector<std::string> names;
    if ((type == ParamStringQual || type == ParamStringQualList) &&
        desc.getQualifNames(names) == 0) {
        ParamDescriptor qualifier = fuzzsupport::ReadDescriptor(in, 0);
        qualifier.setParamName(in.chance(50) ? "LEVEL" : "Q");
        desc.addQualifDesc(qualifier);
    }
    if (type == ParamKeyWordValue &&
        (desc.getMainDesc() == nullptr || desc.getQualifDesc() == nullptr)) {
        const ParamDescriptor main = fuzzsupport::ReadDescriptor(in, 0);
        const ParamDescriptor qualif = fuzzsupport::ReadDescriptor(in, 0);
        desc.setMainQualDesc(&main, &qualif);
    }
}

void CheckAgainst(const ParamObj& param, const std::vector<TokenInfoObj>& tokens,
                  const ParamDescriptor& desc, QualifOptions qualOpt) {
    OneDiagnosticPerFailure(
        [&](const ParserMessage* msg) { return param.canGetValue(&desc, msg); });

    OneDiagnosticPerFailure([&](const ParserMessage* msg) {
        Part part(param.getKeyWordToken(), ParamNoType);
        return part.parseTokenList(tokens, qualOpt, &desc, msg);
    });
    OneDiagnosticPerFailure([&](const ParserMessage* msg) {
        ParamObj token;
        ParamObj qualifiers;
        return param.getTokenAndQual(token, qualifiers, &desc, msg);
    });
    OneDiagnosticPerFailure([&](const ParserMessage* msg) {
        ParamObj qualifiers;
        return param.getStringAndQual(qualifiers, &desc, msg);
    });
    std::vector<std::string> names;
    if (desc.getQualifNames(names) > 0) {
        OneDiagnosticPerFailure([&](const ParserMessage* msg) {
            std::vector<ParamObj> items;
            return param.getStringQualList(items, &desc, msg);
        });
    }
    if (desc.getMainDesc() != nullptr && desc.getQualifDesc() != nullptr) {
        OneDiagnosticPerFailure([&](const ParserMessage* msg) {
            ParamObj keyword;
            ParamObj value;
            return param.getKeywordAndValue(keyword, value, &desc, msg);
        });
    }
}

// Every typed reader of a parameter answers without a message object.
void ReadEveryWay(const ParamObj& param) {
    std::string text;
    bool isLiteral = false;
    double number = 0;
    int integer = 0;
    TavoVarName name;
    std::vector<std::string> strings;
    std::vector<double> numbers;
    std::vector<int> integers;
    std::vector<TavoVarName> names;
    std::vector<TokenInfoObj> tokens;
    VarCatList categories;
    param.getStringGeneric(text);
    param.getUpStringGeneric(text);
    param.getLiteral(text);
    param.getStringOrLiteral(text, isLiteral);
    param.getNumberValue(number);
    param.getIntegerValue(integer);
    param.getVarName(name);
    param.getStringList(strings);
    param.getUpStringList(strings);
    param.getLiteralList(strings);
    param.getNumberList(numbers);
    param.getIntegerList(integers);
    param.getVarList(names);
    param.getTokenList(tokens);
    if (param.getCrossVarList(names)) {
        FUZZ_CHECK(!names.empty());
    }
    if (param.getVarCatList(categories)) {
        double low = 0;
        double high = 0;
        bool allInt = false;
        categories.getValueInfo(low, high, allInt);
    }
    for (unsigned i = 0; i <= param.getTokenListSize(); ++i) {
        FUZZ_CHECK((param.getTokenObj(i) != nullptr) == param.isValidTokenIndex(i));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const ParamDescriptor base = fuzzsupport::ReadDescriptor(in, 2);
    const QualifOptions qualOpt = static_cast<QualifOptions>(in.pick(3));

    // The parameter as the parser leaves it, or now and then in any other state.
    std::vector<fuzzsupport::RawToken> keyword = fuzzsupport::ReadRawTokens(in, 1);
    const std::vector<TokenInfoObj> keywordToken = fuzzsupport::Snapshots(keyword);
    ParamObj param(keywordToken.empty() ? TokenInfoObj() : keywordToken[0], ParamTokenList);
    param.setSubComExtName(in.chance(80) ? "SUB" : "");
    if (in.chance(20)) {
        param.setParentName("PARENT");
    }
    const unsigned state = in.pick(16);
    const std::vector<TokenInfoObj> tokens =
        fuzzsupport::Snapshots(fuzzsupport::ReadRawTokens(in, 24));
    param.setTokenList(tokens);
    if (state == 0) {
        param.setType(ParamKeyWord);
    } else if (state == 1) {
        param.setType(static_cast<ParamSpec>(in.pick(ParamStringQualList + 1)));
    }

    OneDiagnosticPerFailure(
        [&](const ParserMessage* msg) { return param.canGetValue(nullptr, msg); });
    ReadEveryWay(param);

    // The descriptor read from the input under a few value types the input chooses, now and
    // then one that no grammar should hold. (Every type for every input made each run 25
    // checks long and the target ten times slower; the fuzzer reaches every type by itself.)
    for (unsigned n = 1 + in.pick(3); n > 0; --n) {
        const int type = static_cast<int>(in.pick(ParamStringQualList + 2));
        ParamDescriptor desc = base;
        desc.setParamType(type <= ParamStringQualList ? static_cast<ParamSpec>(type)
                                                      : static_cast<ParamSpec>(in.int32()));
        CompleteFor(desc, in);
        CheckAgainst(param, tokens, desc, qualOpt);
    }
    return 0;
}
