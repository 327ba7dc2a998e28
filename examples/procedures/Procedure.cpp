#include "examples/procedures/Procedure.h"

#include <algorithm>
#include <exception>

#include "examples/procedures/Bucket.h"
#include "examples/procedures/ExpectedNames.h"
#include "examples/procedures/GrammarLookup.h"
#include "examples/procedures/Sketch.h"
#include "examples/procedures/Sprout.h"
#include "examples/procedures/Trace.h"
#include "examples/procedures/Validation.h"
#include "examples/procedures/Weave.h"
#include "uparser/ParamObj.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/ParserUtility.h"
#include "uparser/UniversalParser.h"

namespace examples {

namespace {

// What a host service threw when it was no std::exception.
constexpr char kUnknownFailure[] = "a host service failed with an exception of unknown type";

bool TokenFits(const TokenInfoObj& token, const ParamDescriptor& desc) {
    ParamObj one(TokenInfoObj(), UPSpecTypes::ParamTokenList);
    one.addTokenObj(token);
    return one.canGetValue(&desc, nullptr);
}

// One word, literal, number or variable name.
bool IsSingleValue(UPSpecTypes::ParamSpec type) {
    const UPSpecTypes::ParamTypeTraits& traits = UPSpecTypes::GetParamTypeTraits(type);
    switch (traits.element) {
        case UPSpecTypes::ValueKind::Word:
        case UPSpecTypes::ValueKind::Literal:
        case UPSpecTypes::ValueKind::Number:
        case UPSpecTypes::ValueKind::Integer:
        case UPSpecTypes::ValueKind::VarName:
            return !traits.list;
        default:
            return false;
    }
}

// A keyword, or a run of such values each read on its own.
bool IsListValue(UPSpecTypes::ParamSpec type) {
    return type == UPSpecTypes::ParamKeyWord || UPSpecTypes::GetParamTypeTraits(type).list;
}

// The command's last token, for a failure found after the tokens ran out. Two passes, so that
// only one token is ever copied.
TokenInfoObj LastToken(TAVO_TokenSequence& tokens) {
    tokens.setPosition(0);
    long count = 0;
    while (tokens.next()) {
        ++count;
    }
    tokens.setPosition(0);
    for (long i = 0; i < count; ++i) {
        tokens.next();
    }
    return count > 0 ? TokenInfoObj(tokens) : TokenInfoObj();
}

bool IsSlash(TokenSequenceBase::TokenType type, TokenSequenceBase::OperatorCode code) {
    return type == TokenSequenceBase::OperatorToken && code == TokenSequenceBase::Slash;
}

// What the stream can tell about the tokens around a stop: the word after a "/" at which the
// parser stopped, and the last name of subcommand `name` written before the stop. One pass,
// copying only the tokens that are kept.
struct AroundStop {
    TokenInfoObj wordAfterStop;
    TokenInfoObj named;
};

AroundStop LookAround(TAVO_TokenSequence& tokens, const TokenInfoObj& stop,
                      const std::string& name) {
    AroundStop found;
    const bool stopIsSlash = IsSlash(stop.getType(), stop.getOperatorCode());
    bool afterSlash = false;
    bool afterStop = false;
    tokens.setPosition(0);
    while (tokens.next()) {
        const TokenSequenceBase::TokenType type = tokens.getType();
        const long line = tokens.getLineNumber();
        const int column = tokens.getColumn();
        const bool beforeStop = line < stop.getLineNumber() ||
                                (line == stop.getLineNumber() && column <= stop.getColumn());
        if (!beforeStop && !afterStop) {
            // Past the stop and the token after it nothing more is found: a long command is
            // not read to its end for every report.
            break;
        }
        if (type == TokenSequenceBase::StringToken) {
            if (afterStop) {
                found.wordAfterStop = TokenInfoObj(tokens);
            }
            char const* text = nullptr;
            unsigned length = 0;
            tokens.getUpperString(&text, &length);
            if (afterSlash && beforeStop && !name.empty() && text != nullptr &&
                name.compare(0, std::string::npos, text, length) == 0) {
                found.named = TokenInfoObj(tokens);
            }
        }
        afterSlash = IsSlash(type, tokens.getOperatorCode());
        afterStop =
            stopIsSlash && afterSlash && line == stop.getLineNumber() && column == stop.getColumn();
    }
    return found;
}

// In a keyword and value whose value part was not found, as no token is a word the value
// knows, the word after the value's opening "(" or "=": the one meant to begin the value.
const TokenInfoObj* MissedValueWord(const ParamObj& value, const ParamDescriptor& desc,
                                    const std::vector<std::string>& names) {
    const UPSpecTypes::QualifOptions form = desc.getQualifOption();
    if (form != UPSpecTypes::QualifByParen && form != UPSpecTypes::QualifByEqual) {
        return nullptr;
    }
    const TokenSequenceBase::OperatorCode opening = form == UPSpecTypes::QualifByParen
                                                        ? TokenSequenceBase::LeftParen
                                                        : TokenSequenceBase::EqualSign;
    const unsigned count = value.getTokenListSize();
    for (unsigned i = 0; i < count; ++i) {
        const TokenInfoObj& token = *value.getTokenObj(i);
        if (token.IsString() &&
            std::find(names.begin(), names.end(), token.getUpperString()) != names.end()) {
            return nullptr;
        }
    }
    for (unsigned i = 1; i < count; ++i) {
        const TokenInfoObj& token = *value.getTokenObj(i);
        const TokenInfoObj& before = *value.getTokenObj(i - 1);
        if (token.IsString() && before.IsOperator() && before.getOperatorCode() == opening) {
            return &token;
        }
    }
    return nullptr;
}

// The token of a rejected value that the rejection is about: the first one that does not fit
// the descriptor on its own (for a compound value: the word meant to begin a value part that
// was not found, else one that no part accepts and that names nothing it knows), the second
// of a single value written with more, else the first.
const TokenInfoObj* OffendingToken(const ParamObj& value, const ParamDescriptor* desc) {
    const unsigned count = value.getTokenListSize();
    if (count == 0) {
        return nullptr;
    }
    if (desc == nullptr) {
        return value.getTokenObj(0);
    }
    const UPSpecTypes::ParamSpec type = desc->getParamType();
    if (type == UPSpecTypes::ParamCrossVarList) {
        // Names at the even places, BY or "*" between them.
        for (unsigned i = 0; i < count; ++i) {
            const TokenInfoObj& token = *value.getTokenObj(i);
            const bool fits = i % 2 == 0
                                  ? token.IsVarName()
                                  : token.getOperatorCode() == TokenSequenceBase::ByWord ||
                                        token.getOperatorCode() == TokenSequenceBase::Asterisk;
            if (!fits) {
                return &token;
            }
        }
        return value.getTokenObj(count - 1);
    }
    if (IsSingleValue(type) || IsListValue(type)) {
        for (unsigned i = 0; i < count; ++i) {
            if (!TokenFits(*value.getTokenObj(i), *desc)) {
                return value.getTokenObj(i);
            }
        }
        return value.getTokenObj(IsSingleValue(type) && count > 1 ? 1 : 0);
    }
    std::vector<const ParamDescriptor*> leaves = NestedDescs(*desc);
    leaves.erase(std::remove_if(leaves.begin(), leaves.end(),
                                [](const ParamDescriptor* leaf) {
                                    const UPSpecTypes::ParamSpec leafType = leaf->getParamType();
                                    return !IsSingleValue(leafType) && !IsListValue(leafType);
                                }),
                 leaves.end());
    const std::vector<std::string> names = KnownWords(*desc);
    if (type == UPSpecTypes::ParamKeyWordValue) {
        if (const TokenInfoObj* missed = MissedValueWord(value, *desc, names)) {
            return missed;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        const TokenInfoObj& token = *value.getTokenObj(i);
        if (token.IsOperator() ||
            std::find(names.begin(), names.end(), token.getUpperString()) != names.end()) {
            continue;
        }
        const bool fits =
            std::any_of(leaves.begin(), leaves.end(),
                        [&](const ParamDescriptor* leaf) { return TokenFits(token, *leaf); });
        if (!fits) {
            return &token;
        }
    }
    return value.getTokenObj(0);
}

// Where the parser stopped: its current token (the command's last one once the tokens ran
// out), moved to what the failed rule is about: the name after a "/", the name of a subcommand
// that is empty, lacks a parameter or misses a required subcommand of its group, the token of
// a rejected value.
void LocateParseStop(const UniversalParser& parser, TAVO_TokenSequence& tokens,
                     const CommandDescriptor* grammar, RunResult& result) {
    result.stopToken = parser.hasCurrentToken() ? parser.getCurrentToken() : LastToken(tokens);
    const unsigned groups = result.spec.getGroupListSize();
    const GroupComObj* group = groups > 0 ? result.spec.getGroupObj(groups - 1) : nullptr;
    const unsigned subs = group != nullptr ? group->getSubComListSize() : 0;
    const SubComObj* sub = subs > 0 ? group->getSubComObj(subs - 1) : nullptr;
    const int code = result.parseCode;
    std::string named;
    if (sub != nullptr && code == ParseCodes::SubComMissing) {
        named = group->getSubComObj(0u)->getSubComName();
    } else if (sub != nullptr &&
               (code == ParseCodes::SubComEmpty || code == ParseCodes::ParamMissing)) {
        named = sub->getSubComName();
    }
    const AroundStop around = LookAround(tokens, result.stopToken, named);
    if (around.named.getLineNumber() > 0) {
        result.stopToken = around.named;
    } else if (around.wordAfterStop.getLineNumber() > 0) {
        result.stopToken = around.wordAfterStop;
    }
    if (sub == nullptr) {
        return;
    }
    result.stopSubCommand = sub->getSubComName();
    const unsigned params = sub->getParamListSize();
    const ParamObj* param = params > 0 ? sub->getParamObj(params - 1) : nullptr;
    if (param != nullptr) {
        result.stopParameter = param->getParamName();
    }
    if (code != 12) {
        return;
    }
    const ParamObj* value = param != nullptr ? param : sub->exportParamObj();
    const ParamDescriptor* desc = nullptr;
    if (grammar != nullptr) {
        if (const SubComDescriptor* subDesc =
                FindSubComDesc(*grammar, *group, sub->getSubComName())) {
            desc = param != nullptr ? subDesc->getParamDesc(param->getParamName())
                                    : subDesc->getExportParamDesc();
        }
    }
    if (const TokenInfoObj* token = OffendingToken(*value, desc)) {
        result.stopToken = *token;
    } else if (param != nullptr && param->getKeyWordToken().getLineNumber() > 0) {
        result.stopToken = param->getKeyWordToken();
    }
}

}  // namespace

RunResult Procedure::run(TAVO_TokenSequence& tokens, const TAVO_DataSource& data,
                         DiagnosticObserver* observer) const {
    RunResult result;
    try {
        tokens.setPosition(0);
        const CommandDescriptor& commandGrammar = grammar();
        UniversalParser parser(tokens, result.spec, commandGrammar);
        parser.setDiagnosticObserver(observer);
        result.parseCode = parser.getCommandSpecifications();
        if (result.parseCode != ParseCodes::Parsed) {
            result.stage = Stage::Parse;
            LocateParseStop(parser, tokens, &commandGrammar, result);
            result.expected.names = ExpectedNames(result, commandGrammar, tokens);
            return result;
        }
        Validation check(commandGrammar, data, result, observer);
        result.validated = validate(result.spec, check);
        if (!result.validated) {
            result.stage = Stage::Validation;
        }
    } catch (const std::exception& error) {
        // Nothing in the library throws on bad input; this is memory running out, a host
        // service failing, or a bug that must not take the host down with it.
        result.validated = false;
        result.stage = Stage::Internal;
        result.internalError = error.what();
    } catch (...) {
        result.validated = false;
        result.stage = Stage::Internal;
        result.internalError = kUnknownFailure;
    }
    return result;
}

const std::vector<const Procedure*>& AllProcedures() {
    static const Sketch sketch;
    static const Weave weave;
    static const Sprout sprout;
    static const Bucket bucket;
    static const Trace trace;
    static const std::vector<const Procedure*> all{&sketch, &weave, &sprout, &bucket, &trace};
    return all;
}

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first byte of the first token's upper text when it is ASCII, else NUL; the stream, at its
// start, is left there.
char FirstAsciiByte(TAVO_TokenSequence& tokens) {
    char first = '\0';
    if (tokens.next()) {
        char const* text = nullptr;
        unsigned length = 0;
        tokens.getUpperString(&text, &length);
        if (text != nullptr && length > 0 && static_cast<unsigned char>(text[0]) < 0x80) {
            first = UpperAscii(text[0]);
        }
    }
    tokens.setPosition(0);
    return first;
}

}  // namespace

const Procedure* FindProcedure(TAVO_TokenSequence& tokens) {
    // A name that begins with another ASCII letter than the token cannot match, whatever the
    // case: only the other names are asked about, each through the stream.
    const char first = FirstAsciiByte(tokens);
    for (const Procedure* procedure : AllProcedures()) {
        const std::string& name = procedure->name();
        if (first != '\0' && !name.empty() && static_cast<unsigned char>(name[0]) < 0x80 &&
            UpperAscii(name[0]) != first) {
            continue;
        }
        if (CheckCommandName(name, tokens)) {
            return procedure;
        }
    }
    return nullptr;
}

RunResult ParseWithoutGrammar(TAVO_TokenSequence& tokens, DiagnosticObserver* observer) {
    RunResult result;
    try {
        tokens.setPosition(0);
        UniversalParser parser(tokens, result.spec);
        parser.setDiagnosticObserver(observer);
        result.parseCode = parser.getCommandSpecifications();
        result.validated = result.parseCode == ParseCodes::Parsed;
        if (result.parseCode != ParseCodes::Parsed) {
            result.stage = Stage::Parse;
            LocateParseStop(parser, tokens, nullptr, result);
        }
    } catch (const std::exception& error) {
        result.validated = false;
        result.stage = Stage::Internal;
        result.internalError = error.what();
    } catch (...) {
        result.validated = false;
        result.stage = Stage::Internal;
        result.internalError = kUnknownFailure;
    }
    return result;
}

}  // namespace examples
