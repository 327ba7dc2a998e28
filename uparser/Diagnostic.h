#ifndef UPARSER_DIAGNOSTIC_H
#define UPARSER_DIAGNOSTIC_H

#include <string>
#include <vector>

#include "uparser/Export.h"

class TokenInfoObj;

// Where in the command a diagnostic points. Columns count characters (UTF-8 code points, a
// tab is one) from 1, as editors do; lines are the host's. The end is exclusive: a one-letter
// token at column 5 spans columns 5 to 6. A range never spans more than the tokens it names,
// so a program may underline it in the source line without guessing.
struct UPARSER_API SourceRange {
    enum class Kind {
        // No position is known: the reporter had no token and no command to point at (a
        // procedure's own message outside a parse, a message object with nothing attached).
        Unknown,
        // From the first character of one token to the last character of the same or a later
        // token.
        Tokens,
        // The point just after the command's last token, where something is missing (a
        // required subcommand, a value). line/column give that point; the range is empty.
        EndOfCommand,
        // The command as a whole (an empty list, a finding about no single token). line and
        // column are those of the command's first token when known, else 0.
        WholeCommand
    };

    Kind kind = Kind::Unknown;
    long line = 0;
    int column = 0;
    long endLine = 0;
    int endColumn = 0;
    // Bytes of the command text, when the host told them (see host/TokenExtent.h); -1 else.
    long long byteOffset = -1;
    long long byteEnd = -1;

    bool known() const { return kind != Kind::Unknown; }
};

// The range of one token. The end comes from the host when it told it (TokenInfoObj's extent);
// otherwise it is derived from the column and the text: one column per code point, and two
// more for a literal's quotes (a doubled quote inside a literal is then counted once).
UPARSER_API SourceRange TokenRange(const TokenInfoObj& token);
// From the first character of first to the end of last.
UPARSER_API SourceRange TokenRange(const TokenInfoObj& first, const TokenInfoObj& last);
// The empty range just after token: where the command ends when token is its last.
UPARSER_API SourceRange EndOfCommandAfter(const TokenInfoObj& token);
// The whole command, anchored at its first token when one is given.
UPARSER_API SourceRange WholeCommand(const TokenInfoObj* firstToken = nullptr);

// One message as the host's error service received it, told in terms a program can use: which
// catalog entry produced it, its arguments, its level and the range it is about. A record is
// a value: a host may keep it after the callback.
struct UPARSER_API Diagnostic {
    // The name of the reporting method that produced the message ("SubComRepeated",
    // "VariableNotInDict", ...): stable across releases and translations, so a program can key
    // quick fixes and context-specific translations on it. Overloads share one name. A message
    // issued through the general routes by the caller itself is named after the route
    // ("GenericError", "SimpleWarning", ...). A method that hands its text to another method
    // (WrongValueType, the location forms) keeps its own, outer name.
    std::string id;
    // The English catalog text, the key of the host's string table, before substitution.
    std::string text;
    // The texts substituted for ^1, ^2, ... in that order, as the error service got them
    // (locations already phrased, numbers already written).
    std::vector<std::string> arguments;
    // 3 error, 2 warning: the level the error service got.
    int level = 3;
    SourceRange range;
};

// Attached by the host to a parser, a variable list or a validator (setDiagnosticObserver),
// the observer is told of every message right after the error service got it, in the same
// order, once per message. Nothing changes for the error service: an observer only listens.
// The library keeps a plain pointer: the observer must outlive what it is attached to, and is
// called on the thread that reports. Whatever onDiagnostic throws is swallowed, as a report
// never disturbs the operation that found the problem.
class UPARSER_API DiagnosticObserver {
  public:
    virtual ~DiagnosticObserver();
    virtual void onDiagnostic(const Diagnostic& diagnostic) = 0;
};

#endif
