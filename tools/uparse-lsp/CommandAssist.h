#ifndef TOOLS_UPARSE_LSP_COMMANDASSIST_H
#define TOOLS_UPARSE_LSP_COMMANDASSIST_H

#include <string>
#include <vector>

#include "tools/uparse-lsp/DocumentStore.h"
#include "tools/uparse/Procedures.h"

namespace uparselsp {

// Where the cursor stands, for completion and hover.
struct Cursor {
    enum class Place {
        CommandName,  // the first word of a command, or a line outside any command
        SubCommand,   // a word right after "/"
        Other
    };
    Place place = Place::CommandName;
    // The command the cursor is in; empty outside any.
    refhost::CommandText command{std::string(), 0};
};

Cursor CursorAt(const Document& document, const Position& position, Encoding encoding);

// The procedure that serves the command, or null.
const examples::Procedure* ProcedureOf(const refhost::CommandText& command,
                                       const uparse::Procedures& procedures);

// The names of the subcommands and group separators of the grammar, each once, in the
// grammar's order.
std::vector<std::string> SubCommandNames(const examples::Procedure& procedure);

// The syntax chart of the procedure, with the help texts of its grammar file when it has one.
std::string HoverText(const examples::Procedure& procedure);

}  // namespace uparselsp

#endif
