#include "tools/uparse/CommandReport.h"

#include <utility>

#include "refhost/refhost.h"
#include "tools/uparse/Suggestions.h"

namespace uparse {

namespace {

Diagnostic At(const char* level, const TokenInfoObj& token, std::string text) {
    Diagnostic diagnostic;
    diagnostic.level = level;
    diagnostic.line = token.getLineNumber();
    diagnostic.column = token.getColumn();
    diagnostic.text = std::move(text);
    return diagnostic;
}

// Keeps the library's records in the order the error service got the messages.
class Recorder : public DiagnosticObserver {
  public:
    void onDiagnostic(const ::Diagnostic& diagnostic) override { records.push_back(diagnostic); }
    std::vector<::Diagnostic> records;
};

// text with ^1, ^2, ... replaced by the arguments, as the reference host's output does.
std::string Substituted(const std::string& text, const std::vector<std::string>& arguments) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '^' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < arguments.size()) {
            out += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The wording the catalog gives this finding in particular, where it has one: the shown
// message, whose end is the text as the string table translated it, ends instead with the
// context's translation (a group prefix before it stays).
void TranslateInContext(const std::string& procedure, const ::Diagnostic& record,
                        std::string& shown) {
    std::string contextual;
    if (!refhost::FindContextTranslation(procedure, record.id, record.text, contextual) &&
        !refhost::FindContextTranslation("", record.id, record.text, contextual)) {
        return;
    }
    std::string plain;
    if (!refhost::LookUpTranslation(procedure, record.text, plain)) {
        plain = record.text;
    }
    const std::string usual = Substituted(plain, record.arguments);
    if (shown.size() >= usual.size() &&
        shown.compare(shown.size() - usual.size(), usual.size(), usual) == 0) {
        shown.replace(shown.size() - usual.size(), usual.size(),
                      Substituted(contextual, record.arguments));
    }
}

// Where a library message stands, as its record says; the command's start when the record
// knows no place.
void Place(Diagnostic& diagnostic, const ::Diagnostic& record, long firstLine) {
    diagnostic.id = record.id;
    const SourceRange& range = record.range;
    if (range.known() && range.line > 0) {
        diagnostic.line = range.line;
        diagnostic.column = range.column;
        diagnostic.endLine = range.endLine;
        diagnostic.endColumn = range.endColumn;
    } else {
        diagnostic.line = firstLine;
        diagnostic.column = 1;
    }
}

}  // namespace

CommandReport CheckCommand(refhost::CommandText command, const std::string& file,
                           const Procedures& procedures, const TAVO_DataSource& data, bool raw) {
    CommandReport report;
    report.file = file;
    report.line = command.firstLine;
    report.source = command.text;
    refhost::TextTokenSequence tokens(std::move(command.text), command.firstLine);
    bool invalidUtf8 = false;
    for (const refhost::TokenizerError& error : tokens.errors()) {
        Diagnostic found;
        found.level = "error";
        found.line = error.line;
        found.column = error.column;
        found.text = error.message;
        report.diagnostics.push_back(std::move(found));
        invalidUtf8 = invalidUtf8 || error.kind == refhost::TokenizerError::Kind::InvalidUtf8;
    }
    report.lexicalError = !tokens.errors().empty();
    // Where diagnostics go when the run names no token: the command's name.
    TokenInfoObj name;
    if (tokens.next()) {
        name = TokenInfoObj(tokens);
        report.command = name.getString();
    }
    tokens.setPosition(0);
    // Tokens read from bytes that are not text would only lead to misleading findings; an
    // unterminated literal ends at its line, and the rest of the command is checked.
    if (invalidUtf8) {
        report.invalidText = true;
        report.result.stage = examples::Stage::Parse;
        return report;
    }

    refhost::MessageLog log;
    Recorder recorder;
    if (!raw) {
        report.procedure = procedures.find(tokens);
    }
    if (report.procedure != nullptr) {
        report.result = report.procedure->run(tokens, data, &recorder);
    } else {
        report.unknownCommand = !raw;
        if (!raw) {
            report.diagnostics.push_back(
                At("error", name,
                   "unknown command '" + report.command + "'; parsed without a grammar"));
            const std::string known = Closest(report.command, procedures.names());
            if (!known.empty()) {
                report.diagnostics.push_back(At("note", name, "did you mean " + known + "?"));
                report.diagnostics.back().suggestion = known;
            }
        }
        report.result = examples::ParseWithoutGrammar(tokens, &recorder);
    }

    const TokenInfoObj& stop =
        report.result.stopToken.getLineNumber() > 0 ? report.result.stopToken : name;
    // Every message of the library has its record, in the same order.
    const bool recorded = recorder.records.size() == log.messages().size();
    const std::string procedureTitle =
        report.procedure != nullptr ? report.procedure->grammar().getProcedureTitle() : "";
    for (std::size_t i = 0; i < log.messages().size(); ++i) {
        const refhost::Emitted& message = log.messages()[i];
        Diagnostic shown;
        shown.level = message.level >= 3 ? "error" : "warning";
        shown.text = message.text;
        shown.fromLibrary = true;
        shown.libraryText = message.text;
        if (recorded) {
            Place(shown, recorder.records[i], command.firstLine);
            TranslateInContext(procedureTitle, recorder.records[i], shown.text);
        }
        report.diagnostics.push_back(std::move(shown));
    }
    if (report.result.stage == examples::Stage::Internal) {
        report.diagnostics.push_back(
            At("error", stop, "internal error: " + report.result.internalError));
    }
    Suggestion suggestion;
    if (report.procedure != nullptr && SuggestName(report.result, data, suggestion)) {
        report.diagnostics.push_back(
            At("note", suggestion.at, "did you mean " + suggestion.name + "?"));
        report.diagnostics.back().suggestion = suggestion.name;
    }
    for (Diagnostic& diagnostic : report.diagnostics) {
        if (diagnostic.line <= 0) {
            diagnostic.line = command.firstLine;
            diagnostic.column = 1;
        }
    }
    return report;
}

}  // namespace uparse
