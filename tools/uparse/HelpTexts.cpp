#include "tools/uparse/HelpTexts.h"

#include <vector>

namespace uparse {

namespace {

void Line(std::string& out, int indent, const std::string& label, const std::string& help) {
    if (!help.empty()) {
        out += std::string(indent, ' ') + label + "  " + help + "\n";
    }
}

// The texts of a value's qualifiers and parts, which belong to the line above.
void Inside(std::string& out, int indent, const ParamDescriptor& desc,
            const upgrammar::ValueNotes& notes) {
    std::vector<std::string> names;
    desc.getQualifNames(names);
    for (std::size_t q = 0; q < names.size() && q < notes.qualifiers.size(); ++q) {
        Line(out, indent, names[q], notes.qualifiers[q].help);
        Inside(out, indent + 2, *desc.getQualifDesc(names[q]), notes.qualifiers[q]);
    }
    if (notes.main() != nullptr && desc.getMainDesc() != nullptr) {
        Line(out, indent, "(first part)", notes.main()->help);
    }
    if (notes.value() != nullptr && desc.getQualifDesc() != nullptr) {
        Line(out, indent, "(second part)", notes.value()->help);
    }
}

// The lines of one subcommand, without the heading.
void SubCommandLines(std::string& out, const upgrammar::CommandGrammar& grammar, int group,
                     int subCommand) {
    const upgrammar::SubComNotes* notes = grammar.subCommand(group, subCommand);
    if (notes == nullptr) {
        return;
    }
    const SubComDescriptor& sub =
        *grammar.descriptor.getGroupDesc(group)->getSubComDesc(subCommand);
    Line(out, 4, sub.getSubComName().empty() ? "(leading part)" : "/" + sub.getSubComName(),
         notes->help);
    if (const ParamDescriptor* value = sub.getExportParamDesc()) {
        Inside(out, 6, *value, notes->value);
    }
    for (int p = 0; p < sub.getParamDescListSize(); ++p) {
        if (static_cast<std::size_t>(p) < notes->parameters.size()) {
            const ParamDescriptor& param = *sub.getParamDesc(p);
            Line(out, 6, param.getParamName(), notes->parameters[p].help);
            Inside(out, 8, param, notes->parameters[p]);
        }
    }
}

std::string Headed(const std::string& lines) {
    return lines.empty() ? lines : "  help:\n" + lines;
}

}  // namespace

std::string HelpTexts(const upgrammar::CommandGrammar& grammar) {
    std::string out;
    const CommandDescriptor& desc = grammar.descriptor;
    for (int g = 0; g < desc.getGroupDescListSize(); ++g) {
        for (int s = 0; s < desc.getGroupDesc(g)->getSubComDescListSize(); ++s) {
            SubCommandLines(out, grammar, g, s);
        }
    }
    return Headed(out);
}

std::string SubCommandHelp(const upgrammar::CommandGrammar& grammar, int group, int subCommand) {
    std::string out;
    SubCommandLines(out, grammar, group, subCommand);
    return Headed(out);
}

}  // namespace uparse
