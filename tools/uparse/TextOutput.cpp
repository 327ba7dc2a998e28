#include "tools/uparse/TextOutput.h"

#include <string>

#include "tools/uparse/TreeView.h"

namespace uparse {

namespace {

std::string Status(const CommandReport& report) {
    const examples::RunResult& result = report.result;
    if (result.stage == examples::Stage::Internal) {
        return "internal error";
    }
    if (report.invalidText) {
        return "not parsed: the text is not valid UTF-8";
    }
    std::string status;
    if (report.unknownCommand) {
        status = "unknown command; ";
    }
    if (report.procedure == nullptr) {
        return status + (result.parseCode == 0 ? "parsed without a grammar"
                                               : "parse failed without a grammar (code " +
                                                     std::to_string(result.parseCode) + ")");
    }
    if (result.parseCode != 0) {
        return "parse failed (code " + std::to_string(result.parseCode) + ")";
    }
    return result.validated ? "parsed and validated" : "validation failed";
}

void PrintValue(const ValueView& value, std::ostream& out) {
    const std::string text = ValueText(value);
    if (!text.empty()) {
        out << ' ' << text;
    }
    out << "  [" << value.kind << "]\n";
}

void PrintSubCommand(const SubComView& sub, std::ostream& out) {
    out << "    " << (sub.name.empty() ? "(leading part)" : "/" + sub.extName);
    if (sub.hasLeading) {
        out << ':';
        PrintValue(sub.leading, out);
    } else {
        out << '\n';
    }
    for (const ParamView& param : sub.params) {
        out << "      " << param.name;
        const std::string text = ValueText(param.value);
        if (param.parens) {
            out << '(' << text << ')';
        } else if (!text.empty()) {
            out << " = " << text;
        }
        out << "  [" << param.value.kind << "]\n";
    }
}

void PrintVariables(const CommandReport& report, std::ostream& out) {
    if (report.result.variables.empty()) {
        return;
    }
    out << "  validated variables\n";
    for (const examples::VariableList& list : report.result.variables) {
        out << "    " << list.role;
        if (!list.subCommand.empty() || !list.parameter.empty()) {
            out << " (";
            if (!list.subCommand.empty()) {
                out << '/' << list.subCommand << (list.parameter.empty() ? "" : " ");
            }
            out << list.parameter << ')';
        }
        out << ':';
        for (const std::string& name : list.names) {
            out << ' ' << name;
        }
        for (const auto& qualifier : list.qualifiers) {
            out << " (" << qualifier.first << '=' << qualifier.second << ')';
        }
        out << '\n';
    }
}

}  // namespace

void PrintText(const CommandReport& report, std::ostream& out, std::ostream& diagnostics) {
    out << (report.command.empty() ? "(no command name)" : report.command) << " (" << report.file
        << ':' << report.line << "): " << Status(report) << '\n';
    const std::vector<GroupView> groups = DescribeTree(
        report.result.spec, report.procedure != nullptr ? &report.procedure->grammar() : nullptr);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        out << "  group " << g + 1;
        if (groups[g].global) {
            out << " (global)";
        }
        if (groups[g].subCommands.empty()) {
            out << " (empty)";
        }
        out << '\n';
        for (const SubComView& sub : groups[g].subCommands) {
            PrintSubCommand(sub, out);
        }
    }
    PrintVariables(report, out);
    out << '\n';
    out.flush();
    for (const Diagnostic& diagnostic : report.diagnostics) {
        diagnostics << report.file << ':' << diagnostic.line << ':' << diagnostic.column << ": "
                    << diagnostic.level << ": " << diagnostic.text << '\n';
    }
    diagnostics.flush();
}

}  // namespace uparse
