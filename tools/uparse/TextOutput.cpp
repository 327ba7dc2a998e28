#include "tools/uparse/TextOutput.h"

#include <charconv>
#include <cstring>
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

// The number as to_string writes it, without a string of its own.
void AppendInteger(std::string& out, long long number) {
    char buffer[24];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, static_cast<std::size_t>(written.ptr - buffer));
}

void AppendStatus(std::string& out, const CommandReport& report) {
    const examples::RunResult& result = report.result;
    if (result.stage == examples::Stage::Internal) {
        out += "internal error";
        return;
    }
    if (report.invalidText) {
        out += "not parsed: the text is not valid UTF-8";
        return;
    }
    if (report.lexicalError) {
        out += "lexical error; ";
    }
    if (report.unknownCommand) {
        out += "unknown command; ";
    }
    if (report.procedure == nullptr) {
        if (result.parseCode == ParseCodes::Parsed) {
            out += "parsed without a grammar";
        } else {
            out += "parse failed without a grammar (code ";
            AppendInteger(out, result.parseCode);
            out += ')';
        }
        return;
    }
    if (result.parseCode != ParseCodes::Parsed) {
        out += "parse failed (code ";
        AppendInteger(out, result.parseCode);
        out += ')';
        return;
    }
    out += result.validated ? "parsed and validated" : "validation failed";
}

// " TEXT" for a value with text, nothing for one without.
void AppendValue(std::string& out, const ValueView& value) {
    const std::size_t mark = out.size();
    out += ' ';
    AppendValueText(out, value);
    if (out.size() == mark + 1) {
        out.resize(mark);
    }
}

void AppendKind(std::string& out, const ValueView& value) {
    AppendShort(out, "  [");
    out.append(value.kind.data(), value.kind.size());
    AppendShort(out, "]\n");
}

// Writes the tree's lines as the walk hands over its parts.
class TreeText : public TreeVisitor {
  public:
    explicit TreeText(std::string& out) : mOut(out) {}

    // The line is put together on the stack and appended in one piece.
    void group(bool global, bool empty) override {
        char line[64] = "  group ";
        char* end = line + 8;
        end = std::to_chars(end, line + 28, ++mGroups).ptr;  // room for 20 digits
        if (global) {
            end = Copy(end, " (global)");
        }
        if (empty) {
            end = Copy(end, " (empty)");
        }
        *end++ = '\n';
        mOut.append(line, static_cast<std::size_t>(end - line));
    }

    void subCommand(const SubComView& sub) override {
        AppendShort(mOut, "    ");
        if (sub.name.empty()) {
            mOut += "(leading part)";
        } else {
            mOut += '/';
            AppendPrintableToken(mOut, sub.extName);
        }
        if (sub.leading != nullptr) {
            mOut += ':';
            AppendValue(mOut, *sub.leading);
            AppendKind(mOut, *sub.leading);
        } else {
            mOut += '\n';
        }
    }

    void parameter(const ParamView& param) override {
        mOut += "      ";
        AppendPrintableToken(mOut, param.name);
        if (param.parens) {
            mOut += '(';
            AppendValueText(mOut, param.value);
            mOut += ')';
        } else {
            const std::size_t mark = mOut.size();
            AppendShort(mOut, " = ");
            AppendValueText(mOut, param.value);
            if (mOut.size() == mark + 3) {
                mOut.resize(mark);
            }
        }
        AppendKind(mOut, param.value);
    }

  private:
    template <std::size_t N>
    static char* Copy(char* to, const char (&text)[N]) {
        std::memcpy(to, text, N - 1);
        return to + N - 1;
    }

    std::string& mOut;
    std::size_t mGroups = 0;
};

void AppendVariables(std::string& out, const CommandReport& report) {
    if (report.result.variables.empty()) {
        return;
    }
    out += "  validated variables\n";
    for (const examples::VariableList& list : report.result.variables) {
        AppendShort(out, "    ");
        out += list.role;
        if (!list.subCommand.empty() || !list.parameter.empty()) {
            AppendShort(out, " (");
            if (!list.subCommand.empty()) {
                out += '/';
                out += list.subCommand;
                if (!list.parameter.empty()) {
                    out += ' ';
                }
            }
            out += list.parameter;
            out += ')';
        }
        out += ':';
        for (const std::string& name : list.names) {
            out += ' ';
            AppendPrintableToken(out, name);
        }
        for (const auto& qualifier : list.qualifiers) {
            AppendShort(out, " (");
            out += qualifier.first;
            out += '=';
            AppendPrintableToken(out, qualifier.second);
            out += ')';
        }
        out += '\n';
    }
}

void AppendTree(std::string& out, const CommandReport& report) {
    if (report.command.empty()) {
        out += "(no command name)";
    } else {
        AppendPrintableToken(out, report.command);
    }
    AppendShort(out, " (");
    AppendEscapedText(out, report.file);
    out += ':';
    AppendInteger(out, report.line);
    AppendShort(out, "): ");
    AppendStatus(out, report);
    out += '\n';
    TreeText text(out);
    WalkTree(report.result.spec,
             report.procedure != nullptr ? &report.procedure->grammar() : nullptr, text);
    AppendVariables(out, report);
    out += '\n';
}

}  // namespace

void TextOutput::render(const CommandReport& report, Rendered& rendered) const {
    // Each command's text is built in one buffer and goes to the stream in one piece: no
    // formatting or locking per insertion.
    std::string& tree = rendered.results;
    tree.clear();
    AppendTree(tree, report);
    std::string& text = rendered.findings;
    text.clear();
    for (const Diagnostic& diagnostic : report.diagnostics) {
        AppendEscapedText(text, report.file);
        text += ':';
        AppendInteger(text, diagnostic.line);
        text += ':';
        AppendInteger(text, diagnostic.column);
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
}

void TextOutput::emit(const Rendered& rendered) {
    mOut.write(rendered.results.data(), static_cast<std::streamsize>(rendered.results.size()));
    if (rendered.findings.empty()) {
        // The tree stays in the stream's buffer: a file of correct commands is written in
        // large blocks.
        return;
    }
    // Where both streams reach the same terminal or file, the findings follow their tree. The
    // program passes one stream for both when it can tell they do, and the tree then simply
    // stays in the buffer before its findings. A findings stream that is not unit-buffered
    // goes to a file or pipe of its own, where nothing interleaves: both keep their buffers.
    const bool unbuffered = (mDiagnostics.flags() & std::ios_base::unitbuf) != 0;
    if (&mOut != &mDiagnostics && unbuffered) {
        mOut.flush();
    }
    // The findings of a command go out in one piece, as the diagnostic stream is unbuffered.
    mDiagnostics.write(rendered.findings.data(),
                       static_cast<std::streamsize>(rendered.findings.size()));
    if (unbuffered) {
        mDiagnostics.flush();
    }
}

void TextOutput::grammar(const examples::Procedure& procedure) {
    mOut << SyntaxChart(procedure);
    if (const auto* fromFile = dynamic_cast<const examples::FileProcedure*>(&procedure)) {
        mOut << HelpTexts(fromFile->fileGrammar());
    }
    mOut << '\n';
}

}  // namespace uparse
