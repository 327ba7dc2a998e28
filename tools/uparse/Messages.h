#ifndef TOOLS_UPARSE_MESSAGES_H
#define TOOLS_UPARSE_MESSAGES_H

#include <string>

#include "tools/uparse/CommandReport.h"
#include "uparser/host/DataSource.h"

namespace uparse {

// What --messages chose.
enum class MessageChoice {
    Catalog,       // a catalog is loaded into the string table
    LibraryTexts,  // "none", or no catalog beside the program: the library's own texts
};

// Loads the catalog that --messages names into the reference host's string table: "none"
// loads nothing, another value is a PO file, and no value (an empty choice) is the English
// catalog installed with the program, or copied beside it in the build tree. False, with the
// catalog's error, when a catalog is found but cannot be loaded.
bool LoadMessages(const std::string& choice, MessageChoice& outcome, std::string& error);

// Gives each library message of the report the library's own text beside the shown one, by
// running the command once more with translations off (only when it has any).
void AddLibraryTexts(const refhost::CommandText& command, const Procedures& procedures,
                     const TAVO_DataSource& data, bool raw, CommandReport& report);

}  // namespace uparse

#endif
