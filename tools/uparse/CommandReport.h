#ifndef TOOLS_UPARSE_COMMANDREPORT_H
#define TOOLS_UPARSE_COMMANDREPORT_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"
#include "refhost/CommandSplitter.h"
#include "tools/uparse/Procedures.h"
#include "uparser/host/DataSource.h"

namespace uparse {

struct Diagnostic {
    std::string level;  // "error", "warning" or "note"
    long line = 0;
    int column = 0;
    // The range's end (exclusive), for a message of the library; 0 for uparse's own findings,
    // which know only where they stand.
    long endLine = 0;
    int endColumn = 0;
    std::string id;  // the library's reporting method, for a message of the library
    std::string text;          // as the user reads it, through the loaded catalog
    bool fromLibrary = false;  // reported by the library rather than by uparse
    std::string libraryText;   // the library's own text, for a message of the library
    std::string suggestion;    // for a "did you mean" note, the name it proposes
};

// What uparse found out about one command of a syntax file.
struct CommandReport {
    std::string file;
    long line = 0;                                   // the command's first line
    std::string source;                              // the command's text, for its lines
    std::string command;                             // its first word, as written
    const examples::Procedure* procedure = nullptr;  // null: parsed without a grammar
    bool unknownCommand = false;  // no sample procedure has the name, and --raw was not given
    bool lexicalError = false;    // the tokenizer found a mistake in the text
    bool invalidText = false;     // not valid UTF-8: reported, and not run
    examples::RunResult result;
    // The tokenizer's findings, then the library's messages at the point where the run
    // stopped, then uparse's own notes.
    std::vector<Diagnostic> diagnostics;

    // Parsed and validated by a sample procedure, or parsed without a grammar when --raw
    // asked for that. An unknown command, or a text the tokenizer found fault with, fails.
    bool ok() const { return !unknownCommand && !lexicalError && result.ok(); }
};

// Runs one command through its procedure (or, with raw or an unknown name, through a
// parser without a grammar) and collects what the library reported.
CommandReport CheckCommand(refhost::CommandText command, const std::string& file,
                           const Procedures& procedures, const TAVO_DataSource& data, bool raw);

}  // namespace uparse

#endif
