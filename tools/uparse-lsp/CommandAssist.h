#ifndef TOOLS_UPARSE_LSP_COMMANDASSIST_H
#define TOOLS_UPARSE_LSP_COMMANDASSIST_H

#include <cstddef>
#include <string>
#include <vector>

#include "tools/uparse-lsp/DocumentStore.h"
#include "tools/uparse/Procedures.h"
#include "uparser/host/DataSource.h"

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
    // The word the cursor is in or at the end of, as bytes of the command's text; empty when
    // the cursor stands between separators.
    std::size_t wordStart = 0;
    std::size_t wordEnd = 0;
};

Cursor CursorAt(const Document& document, const Position& position, Encoding encoding);

// The procedure that serves the command, or null.
const examples::Procedure* ProcedureOf(const refhost::CommandText& command,
                                       const uparse::Procedures& procedures);

// The names of the subcommands and group separators of the grammar, each once, in the
// grammar's order.
std::vector<std::string> SubCommandNames(const examples::Procedure& procedure);

// What may be written in place of the cursor's word inside a subcommand: the parameter
// keywords and accepted words the grammar takes there, and the dictionary's variables where a
// variable list is expected.
struct Offer {
    std::vector<std::string> keywords;
    std::vector<std::string> variables;
};
Offer OfferAt(const Cursor& cursor, const examples::Procedure& procedure,
              const TAVO_DataSource& data);

// The syntax chart of the subcommand the cursor is in, or of the whole command before any
// subcommand, with the help texts of the grammar file when the procedure has one.
std::string HoverText(const examples::Procedure& procedure, const Cursor& cursor);

}  // namespace uparselsp

#endif
