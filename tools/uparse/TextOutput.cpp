#include "tools/uparse/TextOutput.h"

#include <limits>
#include <string>

#include "examples/generic/FileProcedure.h"
#include "tools/uparse/HelpTexts.h"
#include "tools/uparse/Printable.h"
#include "tools/uparse/SourceExcerpt.h"
#include "tools/uparse/SyntaxChart.h"
#include "tools/uparse/TreeView.h"
#include "uparser/ParseCodes.h"

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
    if (report.lexicalError) {
        status = "lexical error; ";
    }
    if (report.unknownCommand) {
        status += "unknown command; ";
    }
    if (report.procedure == nullptr) {
        return status + (result.parseCode == ParseCodes::Parsed
                             ? "parsed without a grammar"
                             : "parse failed without a grammar (code " +
                                   std::to_string(result.parseCode) + ")");
    }
    if (result.parseCode != ParseCodes::Parsed) {
        return status + "parse failed (code " + std::to_string(result.parseCode) + ")";
    }
    return status + (result.validated ? "parsed and validated" : "validation failed");
}

// The value with every text that came from the command made printable, token by token.
ValueView Printed(ValueView value) {
    value.label = PrintableToken(value.label);
    for (std::string& text : value.texts) {
        text = PrintableToken(text);
    }
    for (ValueView::Row& row : value.rows) {
        for (std::string& text : row.values) {
            text = PrintableToken(text);
        }
    }
    for (ValueView& part : value.parts) {
        part = Printed(std::move(part));
    }
    return value;
}

void PrintValue(const ValueView& value, std::ostream& out) {
    const std::string text = ValueText(Printed(value));
    if (!text.empty()) {
        out << ' ' << text;
    }
    out << "  [" << value.kind << "]\n";
}

void PrintSubCommand(const SubComView& sub, std::ostream& out) {
    out << "    " << (sub.name.empty() ? "(leading part)" : "/" + PrintableToken(sub.extName));
    if (sub.hasLeading) {
        out << ':';
        PrintValue(sub.leading, out);
    } else {
        out << '\n';
    }
    for (const ParamView& param : sub.params) {
        out << "      " << PrintableToken(param.name);
        const std::string text = ValueText(Printed(param.value));
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
            out << ' ' << PrintableToken(name);
        }
        for (const auto& qualifier : list.qualifiers) {
            out << " (" << qualifier.first << '=' << PrintableToken(qualifier.second) << ')';
        }
        out << '\n';
    }
}

}  // namespace

void TextOutput::command(const CommandReport& report) {
    std::ostream& out = mOut;
    std::ostream& diagnostics = mDiagnostics;
    out << (report.command.empty() ? "(no command name)" : PrintableToken(report.command)) << " ("
        << Escaped(report.file) << ':' << report.line << "): " << Status(report) << '\n';
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
    if (report.diagnostics.empty()) {
        // The tree stays in the stream's buffer: a file of correct commands is written in
        // large blocks.
        return;
    }
    // Where both streams reach the same terminal or file, the findings follow their tree. The
    // program passes one stream for both when it can tell they do, and the tree then simply
    // stays in the buffer before its findings.
    if (&out != &diagnostics) {
        out.flush();
    }
    // The findings of a command go out in one piece, as the diagnostic stream is unbuffered.
    std::string text;
    for (const Diagnostic& diagnostic : report.diagnostics) {
        text += Escaped(report.file);
        text += ':';
        text += std::to_string(diagnostic.line);
        text += ':';
        text += std::to_string(diagnostic.column);
        text += ": ";
        text += diagnostic.level;
        text += ": ";
        text += Printable(diagnostic.text);
        text += '\n';
        if (mSource && diagnostic.endLine > 0) {
            // A range over several lines is marked to the end of its first.
            const int end = diagnostic.endLine == diagnostic.line ? diagnostic.endColumn
                                                                  : std::numeric_limits<int>::max();
            text += SourceExcerpt(LineOf(report.source, report.line, diagnostic.line),
                                  diagnostic.column, end);
        }
    }
    diagnostics.write(text.data(), static_cast<std::streamsize>(text.size()));
    diagnostics.flush();
}

void TextOutput::grammar(const examples::Procedure& procedure) {
    mOut << SyntaxChart(procedure);
    if (const auto* fromFile = dynamic_cast<const examples::FileProcedure*>(&procedure)) {
        mOut << HelpTexts(fromFile->fileGrammar());
    }
    mOut << '\n';
}

}  // namespace uparse
