#include "FuzzSupport.h"

#include "refhost/Tokens.h"

#include <cmath>
#include <limits>
#include <utility>

namespace fuzzsupport {

using namespace UPSpecTypes;

int32_t ByteReader::int32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | byte();
    }
    return static_cast<int32_t>(value);
}

std::string ByteReader::bytes(std::size_t maxLength) {
    std::size_t length = pick(static_cast<unsigned>(maxLength) + 1);
    std::string text;
    while (length-- > 0 && !empty()) {
        text += static_cast<char>(byte());
    }
    return text;
}

bool VectorTokenSequence::next() {
    if (mPos > mTokens.size()) {
        return false;
    }
    ++mPos;
    return mPos <= mTokens.size();
}

bool VectorTokenSequence::setPosition(int position) {
    if (position < 0 || static_cast<std::size_t>(position) > mTokens.size() + 1) {
        return false;
    }
    mPos = static_cast<std::size_t>(position);
    return true;
}

const RawToken* VectorTokenSequence::current() const {
    return (mPos >= 1 && mPos <= mTokens.size()) ? &mTokens[mPos - 1] : nullptr;
}

TokenSequenceBase::TokenType VectorTokenSequence::getType() const {
    return current() != nullptr ? current()->type : NoToken;
}

TokenSequenceBase::OperatorCode VectorTokenSequence::getOperatorCode() const {
    return current() != nullptr ? current()->code : NoOperator;
}

void VectorTokenSequence::getString(char const** text, unsigned* length) const {
    if (const RawToken* token = current()) {
        *text = token->text.data();
        *length = static_cast<unsigned>(token->text.size());
    }
}

void VectorTokenSequence::getUpperString(char const** text, unsigned* length) const {
    if (const RawToken* token = current()) {
        *text = token->upper.data();
        *length = static_cast<unsigned>(token->upper.size());
    }
}

double VectorTokenSequence::getNumeric() const {
    return current() != nullptr ? current()->number : 0.0;
}

namespace {

// The variables of the test suites' dictionary, so that fuzz findings replay against the same
// data: name, string width (0 for a number), decimals and measurement level.
struct Column {
    const char* name;
    int width;
    int decimals;
    TAVO_Variable_Enumerations::MeasurementLevel level;
};
const Column kColumns[] = {
    {"id", 0, 0, TAVO_Variable_Enumerations::Scale},
    {"age", 0, 0, TAVO_Variable_Enumerations::Scale},
    {"income", 0, 2, TAVO_Variable_Enumerations::Scale},
    {"gender", 0, 0, TAVO_Variable_Enumerations::Nominal},
    {"region", 0, 0, TAVO_Variable_Enumerations::Nominal},
    {"educ", 0, 0, TAVO_Variable_Enumerations::Ordinal},
    {"v1", 0, 2, TAVO_Variable_Enumerations::Scale},
    {"v2", 0, 2, TAVO_Variable_Enumerations::Scale},
    {"v3", 0, 2, TAVO_Variable_Enumerations::Scale},
    {"v4", 0, 2, TAVO_Variable_Enumerations::Scale},
    {"name", 20, 0, TAVO_Variable_Enumerations::Nominal},
    {"city", 12, 0, TAVO_Variable_Enumerations::Nominal},
    {"weight", 0, 2, TAVO_Variable_Enumerations::Unknown},
    {"remark", 8, 0, TAVO_Variable_Enumerations::Unknown},
};

std::vector<std::string> ColumnNames() {
    std::vector<std::string> names;
    for (const Column& column : kColumns) {
        names.emplace_back(column.name);
    }
    return names;
}

const std::vector<std::string> kNames = ColumnNames();

// Words the fuzz descriptors name as parameters, qualifiers and accepted values, names the
// dictionary lacks, and words that are no valid variable names.
const std::vector<std::string> kWords = {
    "key", "a",  "b",     "value", "cut", "flag", "mean", "yes", "default", "level",
    "x",   "q",  "nosuch", "@v",   "v1.", "AND",  "name_1", "v12345678901234567890123456789012345678901234567890123456789012345"};

struct Reserved {
    const char* text;
    int32_t code;
};
const std::vector<Reserved> kReserved = {
    {"TO", TokenSequenceBase::ToWord},   {"BY", TokenSequenceBase::ByWord},
    {"WITH", TokenSequenceBase::WithWord}, {"ALL", TokenSequenceBase::AllWord},
    {"AND", 40}};

const std::vector<double> kNumbers = {0,   1,    2,     3,   -3,          2.5,  10,  100,
                                      1e3, -0.5, 1e308, -1e308, 2147483648.0, -2147483649.0};

const std::vector<std::string> kLiterals = {"lit", "", "x y", "a", "data.csv", "no/such/dir/f.csv",
                                            "1"};

struct Operator {
    const char* text;
    int32_t code;
};
const std::vector<Operator> kOperators = {
    {"=", TokenSequenceBase::EqualSign},  {"*", TokenSequenceBase::Asterisk},
    {"/", TokenSequenceBase::Slash},      {"(", TokenSequenceBase::LeftParen},
    {")", TokenSequenceBase::RightParen}, {";", TokenSequenceBase::CategorySeparator},
    {"[", TokenSequenceBase::LeftBracket}, {"]", TokenSequenceBase::RightBracket},
    {",", 60},                            {"!", 99}};

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

template <typename T>
const T& Among(ByteReader& in, const std::vector<T>& values) {
    return values[in.pick(static_cast<unsigned>(values.size()))];
}

RawToken Word(const std::string& text, int32_t code = 0) {
    RawToken token;
    token.type = TokenSequenceBase::StringToken;
    token.code = static_cast<TokenSequenceBase::OperatorCode>(code);
    token.text = text;
    token.upper = Upper(text);
    return token;
}

// Raw bytes may name no path outside the working directory: a case-file descriptor opens
// what its value names, and a device such as a terminal would stall the run.
std::string Tame(std::string text) {
    for (char& c : text) {
        if (c == '/' || c == '~' || c == '\\') {
            c = '_';
        }
    }
    return text;
}

}  // namespace

const std::vector<std::string>& DictionaryNames() {
    return kNames;
}

refhost::Dictionary FuzzDictionary() {
    refhost::Dictionary dictionary;
    for (const Column& column : kColumns) {
        if (column.width == 0) {
            dictionary.addNumeric(column.name, column.level, column.decimals);
        } else {
            dictionary.addString(column.name, column.width, column.level);
        }
    }
    return dictionary;
}

std::vector<RawToken> ReadRawTokens(ByteReader& in, std::size_t maxTokens) {
    std::vector<RawToken> tokens;
    const std::size_t count = in.pick(static_cast<unsigned>(maxTokens) + 1);
    while (tokens.size() < count && !in.empty()) {
        const unsigned kind = in.pick(16);
        if (kind < 5) {
            tokens.push_back(Word(Among(in, kNames)));
        } else if (kind < 7) {
            tokens.push_back(Word(Among(in, kWords)));
        } else if (kind < 9) {
            const Reserved& reserved = Among(in, kReserved);
            tokens.push_back(Word(reserved.text, reserved.code));
        } else if (kind < 11) {
            RawToken token;
            token.type = TokenSequenceBase::NumberToken;
            token.number = Among(in, kNumbers);
            token.text = token.upper = std::to_string(token.number);
            tokens.push_back(token);
        } else if (kind < 12) {
            RawToken token;
            token.type = TokenSequenceBase::LiteralToken;
            token.text = Among(in, kLiterals);
            token.upper = Upper(token.text);
            tokens.push_back(token);
        } else if (kind < 15) {
            const Operator& op = Among(in, kOperators);
            RawToken token;
            token.type = TokenSequenceBase::OperatorToken;
            token.code = static_cast<TokenSequenceBase::OperatorCode>(op.code);
            token.text = token.upper = op.text;
            tokens.push_back(token);
        } else {
            // Anything a host could hand out: any type and code, texts of any bytes, numbers
            // that are no numbers.
            RawToken token;
            token.type = static_cast<TokenSequenceBase::TokenType>(in.pick(8));
            token.code = static_cast<TokenSequenceBase::OperatorCode>(
                in.chance(50) ? in.pick(40) : in.int32());
            token.text = Tame(in.bytes(12));
            token.upper = in.chance(80) ? Upper(token.text) : Tame(in.bytes(12));
            const unsigned value = in.pick(4);
            token.number = value == 0   ? std::numeric_limits<double>::quiet_NaN()
                           : value == 1 ? std::numeric_limits<double>::infinity()
                           : value == 2 ? -std::numeric_limits<double>::infinity()
                                        : static_cast<double>(in.int32()) / 8.0;
            tokens.push_back(token);
        }
    }
    return tokens;
}

std::vector<TokenInfoObj> Snapshots(const std::vector<RawToken>& tokens) {
    VectorTokenSequence stream(tokens);
    return refhost::Snapshots(stream);
}

ParamDescriptor ReadDescriptor(ByteReader& in, int depth) {
    static const std::vector<std::string> names = {"", "KEY", "A", "B", "CUT", "FLAG", "VALUE", "LEVEL", "Q"};
    static const std::vector<std::string> accepted = {"a", "yes", "mean", "cut", "all",
                                                      "by", "default", "1"};
    static const std::vector<double> bounds = {-1, 0, 1, 2.5, 10,
                                               std::numeric_limits<double>::quiet_NaN()};

    const unsigned typeCount = depth > 0 ? ParamStringQualList + 1 : ParamKeyWordValue;
    ParamSpec type = static_cast<ParamSpec>(in.pick(typeCount));
    if (in.pick(64) == 0) {
        // Not a type a grammar should hold; kept outside the declared range, where a compound
        // type without its parts would break the grammar's contract instead.
        int32_t value = in.int32();
        if (value >= ParamNoType && value <= ParamStringQualList) {
            value = -1 - value;
        }
        type = static_cast<ParamSpec>(value);
    }
    ParamDescriptor desc(Among(in, names), type, in.chance(20), in.chance(75),
                         static_cast<BracketOptions>(in.pick(3)));
    desc.setBlockOption(static_cast<BlockOptions>(in.pick(4)));
    desc.setQualifOption(static_cast<QualifOptions>(in.pick(3)));
    desc.allowSlash(in.chance(20));
    if (in.chance(30)) {
        desc.setLowerBoundary(Among(in, bounds), static_cast<LowerBdryOptions>(in.pick(3)));
    }
    if (in.chance(30)) {
        desc.setUpperBoundary(Among(in, bounds), static_cast<UpperBdryOptions>(in.pick(3)));
    }
    if (in.chance(40)) {
        for (unsigned n = 1 + in.pick(3); n > 0; --n) {
            desc.addStringValue(Among(in, accepted));
        }
    }
    const bool qualifierOnly = type == ParamStringQual || type == ParamStringQualList;
    if (depth > 0 && (qualifierOnly || in.chance(15))) {
        for (unsigned n = 1 + in.pick(3); n > 0; --n) {
            ParamDescriptor qualifier = ReadDescriptor(in, depth - 1);
            qualifier.setParamName(Among(in, names));
            desc.addQualifDesc(qualifier);
        }
    }
    const bool keywordValue = type == ParamKeyWordValue;
    if (depth > 0 && (keywordValue || type == ParamTokenQual || in.chance(10))) {
        const ParamDescriptor main = ReadDescriptor(in, depth - 1);
        const ParamDescriptor qualif = ReadDescriptor(in, depth - 1);
        desc.setMainQualDesc(keywordValue || in.chance(70) ? &main : nullptr,
                             keywordValue || in.chance(70) ? &qualif : nullptr);
    }
    return desc;
}

}  // namespace fuzzsupport
