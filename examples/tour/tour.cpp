// A whole procedure in one file: the grammar of its command, the parse, the typed values and
// the check of the variables against the data dictionary.
#include <cstdio>
#include <string>
#include <vector>

#include "refhost/refhost.h"
#include "uparser/uparser.h"

using namespace UPSpecTypes;

// TALLY variables [/BINS COUNT = integer] [/TITLE 'text']
CommandDescriptor TallyGrammar() {
    CommandDescriptor grammar("TALLY", "Tally");
    SubComDescriptor variables("", SubComByEqual, true);  // the unnamed leading part
    variables.setExportParamDesc(ParamTokenList, true);
    grammar.addSubComDesc(variables);

    SubComDescriptor bins("BINS", SubComByEqual);
    ParamDescriptor count("COUNT", ParamInteger);
    count.setLowerBoundary(2, LowerIncluded);
    count.setUpperBoundary(50, UpperIncluded);
    bins.addParamDesc(count);
    grammar.addSubComDesc(bins);

    SubComDescriptor title("TITLE", SubComByEqual);
    title.setExportParamDesc(ParamLiteral, true);
    grammar.addSubComDesc(title);
    return grammar;
}

bool Tally(const std::string& command, const CommandDescriptor& grammar,
           const TAVO_DataSource& data) {
    refhost::TextTokenSequence tokens(command);  // the host's tokens of one command
    CommandSpec spec;
    UniversalParser parser(tokens, spec, grammar);
    if (parser.getCommandSpecifications() != ParseCodes::Parsed) {
        return false;  // the parser has told the user why
    }

    int count = 10;
    if (const SubComObj* bins = spec.getSubComObj("BINS")) {
        if (const ParamObj* param = bins->getParamObj("COUNT")) {
            param->getIntegerValue(count);
        }
    }
    std::string title = "Tally";
    if (const SubComObj* heading = spec.getSubComObj("TITLE")) {
        heading->exportParamObj()->getLiteral(title);
    }

    std::vector<TokenInfoObj> names;
    spec.getSubComObj("")->exportParamObj()->getTokenList(names);
    VarSpecObj variables("", "", grammar, &data, true);  // numeric variables only
    if (!variables.ValidateVariables(names, RepeatVarsError)) {
        return false;
    }

    std::printf("%s in %d bins:", title.c_str(), count);
    for (int index : variables.GetValidVarList()) {
        std::printf(" %s", data.GetVariable(index).GetName());
    }
    std::printf("\n");
    return true;
}

int main(int argc, char** argv) {
    // A message catalog (po/en.po, po/de.po) makes what the library reports read well.
    std::string error;
    if (argc > 1 && !refhost::LoadTranslations(argv[1], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    refhost::Dictionary data;  // a real host hands over its own TAVO_DataSource
    data.addNumeric("age");
    data.addNumeric("income");
    data.addNumeric("region", TAVO_Variable_Enumerations::Nominal, 0);
    data.addString("city", 12);
    const CommandDescriptor grammar = TallyGrammar();

    for (const char* command : {"TALLY age TO region /BINS COUNT = 8 /TITLE 'Survey'.",
                                "TALLY age /BINS COUNT = 80.", "TALLY age city."}) {
        refhost::MessageLog log;  // catches what the library reports
        std::printf("%s\n  ", command);
        if (!Tally(command, grammar, data)) {
            for (const refhost::Emitted& message : log.messages()) {
                std::printf("%s: %s\n", message.level == 3 ? "error" : "warning",
                            message.text.c_str());
            }
        }
    }
    return 0;
}
