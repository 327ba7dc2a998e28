// Command text through the reference tokenizer and the parser without a grammar, and through
// the sample procedure (parse, typed reading and validation of its variable lists against the
// sample data) or the grammar of our own (every parameter type and group kind the samples leave
// out) that the command names. The parse must end in one of its codes, say exactly as much as
// the code promises, give the same answer twice, and leave a result tree that can be copied and
// read; nothing may throw.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzGrammars.h"
#include "FuzzSupport.h"
#include "examples/procedures/Procedure.h"
#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParserUtility.h"
#include "uparser/ParserValidator.h"
#include "uparser/UniversalParser.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;

struct Outcome {
    int code = -1;
    std::vector<refhost::Emitted> messages;
};

Outcome Parse(TAVO_TokenSequence& stream, const CommandDescriptor* grammar, CommandSpec& spec) {
    stream.setPosition(0);
    refhost::MessageLog log;
    Outcome outcome;
    if (grammar != nullptr) {
        UniversalParser parser(stream, spec, *grammar);
        outcome.code = parser.getCommandSpecifications();
        FUZZ_CHECK(parser.getErrorCode() == outcome.code);
    } else {
        UniversalParser parser(stream, spec);
        outcome.code = parser.getCommandSpecifications();
        FUZZ_CHECK(parser.getErrorCode() == outcome.code);
    }
    outcome.messages = log.messages();
    return outcome;
}

// What a procedure does next: each parameter's tokens as a variable list, every name through
// the command's registry.
void ValidateVariables(const ParamObj& param, const CommandSpec& spec,
                       const TAVO_DataSource& dictionary, ParserValidator& registry) {
    std::vector<TokenInfoObj> tokens;
    if (!param.getTokenList(tokens) || tokens.empty()) {
        return;
    }
    VarSpecObj list(param.getParamName(), param.getSubComExtName(), spec.getCommandName(),
                    &dictionary);
    list.SetAllowQualifiers(true);
    list.ValidateVariables(tokens, RepeatVarsError);
    std::vector<VarSpecObj> blocks;
    list.ValidateVarBlocksAndQuals(tokens, blocks, {});
    std::vector<TavoVarName> names;
    std::vector<int> indices;
    if (param.getVarList(names)) {
        registry.ValidateNewVarList(names, indices, param.getParamName().c_str(),
                                    param.getSubComExtName().c_str());
    }
}

void Walk(const CommandSpec& spec, const TAVO_DataSource& dictionary) {
    ParserValidator registry(spec.getCommandName(), &dictionary);
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj* group = spec.getGroupObj(g);
        FUZZ_CHECK(group != nullptr);
        for (unsigned s = 0; s < group->getSubComListSize(); ++s) {
            const SubComObj* sub = group->getSubComObj(s);
            FUZZ_CHECK(sub != nullptr);
            FUZZ_CHECK(group->getSubComObj(sub->getSubComName()) != nullptr);
            ValidateVariables(*sub->exportParamObj(), spec, dictionary, registry);
            for (unsigned p = 0; p < sub->getParamListSize(); ++p) {
                const ParamObj* param = sub->getParamObj(p);
                FUZZ_CHECK(param != nullptr);
                FUZZ_CHECK(sub->getParamObj(param->getParamName()) != nullptr);
                ValidateVariables(*param, spec, dictionary, registry);
            }
        }
    }
    std::vector<const GroupComObj*> found;
    spec.getGroupObj(found, std::string("MODELS"));
    spec.getSubComObj(std::string());
}

void Check(TAVO_TokenSequence& stream, const CommandDescriptor* grammar,
           const TAVO_DataSource& dictionary, bool again) {
    CommandSpec spec;
    const Outcome first = Parse(stream, grammar, spec);
    const int code = first.code;
    fuzzsupport::CheckParseAnswer(code, first.messages);

    if (again) {
        CommandSpec respec;
        const Outcome second = Parse(stream, grammar, respec);
        FUZZ_CHECK(second.code == code);
        FUZZ_CHECK(fuzzsupport::SameMessages(first.messages, second.messages));
        FUZZ_CHECK(respec.getGroupListSize() == spec.getGroupListSize());
    }

    refhost::MessageLog quiet;
    const CommandSpec copy = spec;
    Walk(copy, dictionary);
}

// The parse code and the messages a run left, and the promises of its stage.
struct RunOutcome {
    examples::RunResult result;
    std::vector<refhost::Emitted> messages;
};

RunOutcome Run(const examples::Procedure* procedure, TAVO_TokenSequence& stream,
               const TAVO_DataSource& data) {
    refhost::MessageLog log;
    RunOutcome outcome{
        procedure != nullptr ? procedure->run(stream, data) : examples::ParseWithoutGrammar(stream),
        {}};
    outcome.messages = log.messages();
    return outcome;
}

void CheckProcedure(const examples::Procedure* procedure, TAVO_TokenSequence& stream,
                    const TAVO_DataSource& data, bool again) {
    const RunOutcome first = Run(procedure, stream, data);
    const examples::RunResult& result = first.result;
    if (result.stage == examples::Stage::Internal) {
        std::fprintf(stderr, "thrown: %s\n", result.internalError.c_str());
    }
    FUZZ_CHECK(result.stage != examples::Stage::Internal);
    const int code = result.parseCode;
    FUZZ_CHECK(code == 0 || code == 1 || (code >= 2 && code <= 17 && code != 3));
    switch (result.stage) {
        case examples::Stage::Done:
            FUZZ_CHECK(result.ok());
            break;
        case examples::Stage::Parse:
            FUZZ_CHECK(code != 0 && !result.validated);
            if (code >= 2) {
                FUZZ_CHECK(!first.messages.empty() && first.messages.size() <= 2);
            }
            break;
        case examples::Stage::Validation:
            // A procedure stops at the first finding, after reporting it.
            FUZZ_CHECK(code == 0 && !result.validated && !first.messages.empty());
            break;
        case examples::Stage::Internal:
            break;
    }
    if (!again) {
        return;
    }
    const RunOutcome second = Run(procedure, stream, data);
    FUZZ_CHECK(second.result.parseCode == code);
    FUZZ_CHECK(second.result.stage == result.stage);
    FUZZ_CHECK(fuzzsupport::SameMessages(first.messages, second.messages));
}

const TAVO_DataSource& SampleData() {
    static const refhost::Dictionary data = [] {
        try {
            return refhost::Dictionary::fromCsv(UPARSER_SAMPLE_CSV);
        } catch (...) {
            std::fprintf(stderr, "cannot read %s\n", UPARSER_SAMPLE_CSV);
            std::abort();
        }
    }();
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const refhost::Dictionary dictionary = fuzzsupport::FuzzDictionary();
    const std::string text(reinterpret_cast<const char*>(data), size);

    // As a host does it: the procedure or grammar that the command names parses it (twice, to
    // show that the answer is a function of the input), and the parser without a grammar sees
    // every command. The text is tokenized once; every run rewinds the stream. (Running every
    // grammar over every text made each input ten parses long for the one a host would run.)
    refhost::TextTokenSequence stream(text);
    CheckProcedure(nullptr, stream, SampleData(), false);
    Check(stream, nullptr, dictionary, false);
    const examples::Procedure* named = examples::FindProcedure(stream);
    FUZZ_CHECK(stream.getPosition() == 0);
    if (named != nullptr) {
        CheckProcedure(named, stream, SampleData(), true);
    }
    for (const CommandDescriptor& grammar : fuzzsupport::FuzzGrammars()) {
        if (CheckCommandName(grammar.getCommandName(), stream)) {
            Check(stream, &grammar, dictionary, true);
        }
    }
    return 0;
}
