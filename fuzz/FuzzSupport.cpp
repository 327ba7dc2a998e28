#include "FuzzSupport.h"

#include "FuzzCheck.h"
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
    "key",    "a",      "b",
    "value",  "cut",    "flag",
    "mean",   "yes",    "default",
    "level",  "x",      "q",
    "nosuch", "@v",     "v1.",
    "AND",    "name_1", "v12345678901234567890123456789012345678901234567890123456789012345"};

struct Reserved {
    const char* text;
    int32_t code;
};
const std::vector<Reserved> kReserved = {{"TO", TokenSequenceBase::ToWord},
                                         {"BY", TokenSequenceBase::ByWord},
                                         {"WITH", TokenSequenceBase::WithWord},
                                         {"ALL", TokenSequenceBase::AllWord},
                                         {"AND", 40}};

const std::vector<double> kNumbers = {0,   1,   2,    3,     -3,     2.5,          10,
                                      100, 1e3, -0.5, 1e308, -1e308, 2147483648.0, -2147483649.0};

const std::vector<std::string> kLiterals = {"lit", "", "x y", "a", "data.csv", "no/such/dir/f.csv",
                                            "1"};

struct Operator {
    const char* text;
    int32_t code;
};
const std::vector<Operator> kOperators = {{"=", TokenSequenceBase::EqualSign},
                                          {"*", TokenSequenceBase::Asterisk},
                                          {"/", TokenSequenceBase::Slash},
                                          {"(", TokenSequenceBase::LeftParen},
                                          {")", TokenSequenceBase::RightParen},
                                          {";", TokenSequenceBase::CategorySeparator},
                                          {"[", TokenSequenceBase::LeftBracket},
                                          {"]", TokenSequenceBase::RightBracket},
                                          {",", 60},
                                          {"!", 99}};

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

RawToken ReadRawToken(ByteReader& in) {
    const unsigned kind = in.pick(16);
    if (kind < 5) {
        return Word(Among(in, kNames));
    }
    if (kind < 7) {
        return Word(Among(in, kWords));
    }
    if (kind < 9) {
        const Reserved& reserved = Among(in, kReserved);
        return Word(reserved.text, reserved.code);
    }
    RawToken token;
    if (kind < 11) {
        token.type = TokenSequenceBase::NumberToken;
        token.number = Among(in, kNumbers);
        token.text = token.upper = std::to_string(token.number);
    } else if (kind < 12) {
        token.type = TokenSequenceBase::LiteralToken;
        token.text = Among(in, kLiterals);
        token.upper = Upper(token.text);
    } else if (kind < 15) {
        const Operator& op = Among(in, kOperators);
        token.type = TokenSequenceBase::OperatorToken;
        token.code = static_cast<TokenSequenceBase::OperatorCode>(op.code);
        token.text = token.upper = op.text;
    } else {
        // Anything a host could hand out: any type and code, texts of any bytes, numbers
        // that are no numbers.
        token.type = static_cast<TokenSequenceBase::TokenType>(in.pick(8));
        token.code =
            static_cast<TokenSequenceBase::OperatorCode>(in.chance(50) ? in.pick(40) : in.int32());
        token.text = Tame(in.bytes(12));
        token.upper = in.chance(80) ? Upper(token.text) : Tame(in.bytes(12));
        const unsigned value = in.pick(4);
        token.number = value == 0   ? std::numeric_limits<double>::quiet_NaN()
                       : value == 1 ? std::numeric_limits<double>::infinity()
                       : value == 2 ? -std::numeric_limits<double>::infinity()
                                    : static_cast<double>(in.int32()) / 8.0;
    }
    return token;
}

refhost::Dictionary ReadDictionary(ByteReader& in) {
    using Level = TAVO_Variable_Enumerations::MeasurementLevel;
    refhost::Dictionary dictionary;
    for (unsigned n = in.pick(24); n > 0; --n) {
        std::string name = in.chance(85) ? Among(in, kNames) : in.bytes(10);
        if (in.chance(20)) {
            name = Upper(name);
        }
        const bool numeric = in.chance(60);
        const int type = numeric ? 0
                         : in.chance(90)
                             ? 1 + in.pick(40)
                             : 1 + static_cast<int>(static_cast<uint32_t>(in.int32()) % 40000);
        const Level level = static_cast<Level>(in.chance(85) ? in.pick(4) : in.int32());
        TAVO_Format format{static_cast<uint16_t>(numeric ? 8 : type),
                           numeric ? uint8_t{5} : uint8_t{1},
                           static_cast<uint8_t>(numeric ? in.pick(4) : 0)};
        if (in.chance(15)) {
            format = TAVO_Format{static_cast<uint16_t>(in.pick(64)),
                                 static_cast<uint8_t>(in.pick(8)), static_cast<uint8_t>(in.byte())};
        }
        dictionary.addVariable(TAVO_Variable(name, type, level, format));
    }
    return dictionary;
}

std::vector<RawToken> ReadRawTokens(ByteReader& in, std::size_t maxTokens) {
    std::vector<RawToken> tokens;
    const std::size_t count = in.pick(static_cast<unsigned>(maxTokens) + 1);
    while (tokens.size() < count && !in.empty()) {
        tokens.push_back(ReadRawToken(in));
    }
    return tokens;
}

std::vector<RawToken> ReadAllRawTokens(ByteReader& in, std::size_t maxTokens) {
    std::vector<RawToken> tokens;
    while (tokens.size() < maxTokens && !in.empty()) {
        tokens.push_back(ReadRawToken(in));
    }
    return tokens;
}

std::vector<testsupport::HostTokenStream::Token> ReadHostTokens(ByteReader& in,
                                                                std::size_t maxTokens) {
    using Token = testsupport::HostTokenStream::Token;
    std::vector<Token> tokens;
    tokens.push_back(Token{TokenSequenceBase::StringToken, TokenSequenceBase::NoOperator,
                           std::string("cmd"), std::string("CMD"), 0.0});
    while (tokens.size() < maxTokens && !in.empty()) {
        RawToken raw = ReadRawToken(in);
        Token token{raw.type, raw.code, std::move(raw.text), std::move(raw.upper), raw.number};
        if (in.pick(12) == 0) {
            // The liberties of the stream's contract: no text at all, an upper text that is
            // not the text's, NUL bytes in either.
            switch (in.pick(5)) {
                case 0:
                    token.text.reset();
                    break;
                case 1:
                    token.upper.reset();
                    break;
                case 2:
                    token.text.reset();
                    token.upper.reset();
                    break;
                case 3:
                    token.upper = std::string(1, '\0') + *token.upper;
                    break;
                default:
                    token.text = *token.text + std::string(1, '\0') + "x";
                    token.upper = std::string();
                    break;
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::vector<TokenInfoObj> Snapshots(const std::vector<RawToken>& tokens) {
    VectorTokenSequence stream(tokens);
    return refhost::Snapshots(stream);
}

ParamDescriptor ReadDescriptor(ByteReader& in, int depth) {
    static const std::vector<std::string> names = {"",     "KEY",   "A",     "B", "CUT",
                                                   "FLAG", "VALUE", "LEVEL", "Q"};
    static const std::vector<std::string> accepted = {"a",   "yes", "mean",    "cut",
                                                      "all", "by",  "default", "1"};
    static const std::vector<double> bounds = {-1,  0,  1,
                                               2.5, 10, std::numeric_limits<double>::quiet_NaN()};

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

bool SameMessages(const std::vector<refhost::Emitted>& a, const std::vector<refhost::Emitted>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].level != b[i].level || a[i].show != b[i].show || a[i].text != b[i].text) {
            return false;
        }
    }
    return true;
}

void CheckParseAnswer(int code, const std::vector<refhost::Emitted>& messages) {
    FUZZ_CHECK(code == 0 || code == 1 || (code >= 2 && code <= 17 && code != 3));
    // A rule that fails says so once (a final group followed by another may add one more);
    // a parse that succeeds says nothing.
    if (code == 0) {
        FUZZ_CHECK(messages.empty());
    } else if (code >= 2) {
        FUZZ_CHECK(!messages.empty() && messages.size() <= 2);
    }
}

}  // namespace fuzzsupport
