// Grammar file text through the reader. Any bytes end in a grammar or in one error placed in
// the text; a grammar that was read writes back to text that reads again and writes the same
// bytes; and the parser runs commands written from the grammar's own names, every value reader
// checks their values, and the generic procedure validates their variables as the file
// declares, without stopping the host: the reader refuses every grammar the library would
// abort on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzSupport.h"
#include "examples/generic/FileProcedure.h"
#include "grammar/grammar.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "uparser/CommandSpec.h"
#include "uparser/ParamObj.h"
#include "uparser/ParserMessage.h"
#include "uparser/UniversalParser.h"

namespace {

using namespace UPSpecTypes;

// A word the value may hold: one of its accepted words or qualifier names, or of its parts'.
std::string WordOf(const ParamDescriptor& desc) {
    std::vector<std::string> names;
    for (const ParamDescriptor* part : {&desc, desc.getMainDesc(), desc.getQualifDesc()}) {
        if (part == nullptr) {
            continue;
        }
        if (!part->getStringValues().empty()) {
            return part->getStringValues().front();
        }
        if (part->getQualifNames(names) > 0) {
            return names.front();
        }
    }
    return "v1";
}

// The value written three ways at once: a word it knows, with a qualifier value, and a number.
std::string ValueOf(const ParamDescriptor& desc) {
    const std::string word = WordOf(desc);
    return word + " " + word + "(1) = 2 " + word;
}

// Variables of the fuzz dictionary as the value's type writes them.
std::string VariablesOf(const ParamDescriptor& desc) {
    switch (desc.getParamType()) {
        case ParamVarName:
            return "v1";
        case ParamCrossVarList:
            return "v1 BY v2 * gender";
        case ParamVarCatList:
            return "v1 v2 ; 1 2 3 ; 2 1 4";
        case ParamKeyWordValue:
            return "v1 v2 " + WordOf(desc);
        default:
            return "v1 v2 (" + WordOf(desc) + " = 1) v3 TO v4 BY gender WITH age";
    }
}

// Every value reader on the parsed value, with the descriptor it was parsed against.
void ReadEveryWay(const ParamObj& value, const ParamDescriptor* desc) {
    if (desc == nullptr) {
        return;
    }
    const ParserMessage msg;
    value.canGetValue(desc, &msg);
    ParamObj first;
    ParamObj second;
    std::vector<ParamObj> items;
    value.getTokenAndQual(first, second, desc, &msg);
    value.getStringAndQual(second, desc, &msg);
    std::vector<std::string> names;
    if (desc->getQualifNames(names) > 0) {
        value.getStringQualList(items, desc, &msg);
    }
    if (desc->getParamType() == ParamKeyWordValue) {
        value.getKeywordAndValue(first, second, desc, &msg);
    }
}

void Walk(const CommandSpec& spec, const CommandDescriptor& grammar) {
    for (unsigned g = 0; g < spec.getGroupListSize(); ++g) {
        const GroupComObj& group = *spec.getGroupObj(g);
        for (unsigned s = 0; s < group.getSubComListSize(); ++s) {
            const SubComObj& sub = *group.getSubComObj(s);
            for (int d = 0; d < grammar.getGroupDescListSize(); ++d) {
                const SubComDescriptor* desc =
                    grammar.getGroupDesc(d)->getSubComDesc(sub.getSubComName());
                if (desc == nullptr) {
                    continue;
                }
                ReadEveryWay(*sub.exportParamObj(), desc->getExportParamDesc());
                for (unsigned p = 0; p < sub.getParamListSize(); ++p) {
                    const ParamObj& param = *sub.getParamObj(p);
                    ReadEveryWay(param, desc->getParamDesc(param.getParamName()));
                }
            }
        }
    }
}

void Parse(const std::string& text, const CommandDescriptor& grammar) {
    refhost::TextTokenSequence tokens(text);
    CommandSpec spec;
    UniversalParser parser(tokens, spec, grammar);
    const int code = parser.getCommandSpecifications();
    FUZZ_CHECK(code == 0 || code == 1 || (code >= 2 && code <= 17 && code != 3));
    Walk(spec, grammar);
}

// Two commands per subcommand, naming all its parameters: each value once with a word it knows
// and a qualifier, once with variables; each parsed and run through the generic procedure.
void Exercise(const upgrammar::CommandGrammar& command) {
    static const refhost::Dictionary data = fuzzsupport::FuzzDictionary();
    const CommandDescriptor& grammar = command.descriptor;
    const examples::FileProcedure procedure(command);
    refhost::MessageLog quiet;
    std::vector<std::string> texts = {grammar.getCommandName()};
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor& group = *grammar.getGroupDesc(g);
        for (int s = 0; s < group.getSubComDescListSize(); ++s) {
            const SubComDescriptor& sub = *group.getSubComDesc(s);
            for (auto valueOf : {ValueOf, VariablesOf}) {
                std::string text = grammar.getCommandName() + " /" + sub.getSubComName();
                if (const ParamDescriptor* value = sub.getExportParamDesc()) {
                    text += " " + valueOf(*value);
                }
                for (int p = 0; p < sub.getParamDescListSize(); ++p) {
                    const ParamDescriptor& param = *sub.getParamDesc(p);
                    text += " " + param.getParamName() + " = " + valueOf(param) + " " +
                            param.getParamName() + "(" + valueOf(param) + ")";
                }
                texts.push_back(text);
            }
        }
    }
    for (const std::string& text : texts) {
        Parse(text, grammar);
        refhost::TextTokenSequence tokens(text);
        const examples::RunResult result = procedure.run(tokens, data);
        FUZZ_CHECK(result.stage != examples::Stage::Internal);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    upgrammar::GrammarFile grammar;
    upgrammar::GrammarError error;
    if (!upgrammar::ReadGrammar(text, "fuzz.json", grammar, error)) {
        FUZZ_CHECK(!error.message.empty() && error.file == "fuzz.json");
        FUZZ_CHECK(error.line >= 1 && error.column >= 1);
        return 0;
    }
    const std::string written = upgrammar::WriteGrammar(grammar);
    upgrammar::GrammarFile again;
    FUZZ_CHECK(upgrammar::ReadGrammar(written, "written.json", again, error));
    FUZZ_CHECK(upgrammar::WriteGrammar(again) == written);
    for (const upgrammar::CommandGrammar& command : grammar.commands) {
        Exercise(command);
    }
    return 0;
}
