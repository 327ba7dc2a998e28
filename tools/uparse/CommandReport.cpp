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

}  // namespace

CommandReport CheckCommand(refhost::CommandText command, const std::string& file,
                           const Procedures& procedures, const TAVO_DataSource& data, bool raw) {
    CommandReport report;
    report.file = file;
    report.line = command.firstLine;
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
    if (!raw) {
        report.procedure = procedures.find(tokens);
    }
    if (report.procedure != nullptr) {
        report.result = report.procedure->run(tokens, data);
    } else {
        report.unknownCommand = !raw;
        if (!raw) {
            report.diagnostics.push_back(
                At("error", name,
                   "unknown command '" + report.command + "'; parsed without a grammar"));
            const std::string known = Closest(report.command, procedures.names());
            if (!known.empty()) {
                report.diagnostics.push_back(At("note", name, "did you mean " + known + "?"));
            }
        }
        report.result = examples::ParseWithoutGrammar(tokens);
    }

    const TokenInfoObj& stop =
        report.result.stopToken.getLineNumber() > 0 ? report.result.stopToken : name;
    for (const refhost::Emitted& message : log.messages()) {
        report.diagnostics.push_back(
            At(message.level >= 3 ? "error" : "warning", stop, message.text));
        report.diagnostics.back().fromLibrary = true;
        report.diagnostics.back().libraryText = message.text;
    }
    if (report.result.stage == examples::Stage::Internal) {
        report.diagnostics.push_back(
            At("error", stop, "internal error: " + report.result.internalError));
    }
    Suggestion suggestion;
    if (report.procedure != nullptr && SuggestName(report.result, data, suggestion)) {
        report.diagnostics.push_back(
            At("note", suggestion.at, "did you mean " + suggestion.name + "?"));
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
