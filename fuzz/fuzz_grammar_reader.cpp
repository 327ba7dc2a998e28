// Grammar file text through the reader. Any bytes end in a grammar or in one error placed in
// the text; a grammar that was read writes back to text that reads again and writes the same
// bytes; and the parser runs commands written from the grammar's own names, and every value
// reader checks their values, without stopping the host: the reader refuses every grammar the
// library would abort on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
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

// One command per subcommand, naming all its parameters, each with a value of every kind.
void Exercise(const CommandDescriptor& grammar) {
    refhost::MessageLog quiet;
    Parse(grammar.getCommandName(), grammar);
    for (int g = 0; g < grammar.getGroupDescListSize(); ++g) {
        const GroupComDescriptor& group = *grammar.getGroupDesc(g);
        for (int s = 0; s < group.getSubComDescListSize(); ++s) {
            const SubComDescriptor& sub = *group.getSubComDesc(s);
            std::string text = grammar.getCommandName() + " /" + sub.getSubComName();
            if (const ParamDescriptor* value = sub.getExportParamDesc()) {
                text += " " + ValueOf(*value);
            }
            for (int p = 0; p < sub.getParamDescListSize(); ++p) {
                const ParamDescriptor& param = *sub.getParamDesc(p);
                text += " " + param.getParamName() + " = " + ValueOf(param) + " " +
                        param.getParamName() + "(" + ValueOf(param) + ")";
            }
            Parse(text, grammar);
        }
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
        Exercise(command.descriptor);
    }
    return 0;
}
