#ifndef REFHOST_MESSAGECATALOG_H
#define REFHOST_MESSAGECATALOG_H

#include <string>
#include <vector>

namespace refhost {

// One entry of a gettext catalog (a PO file, or a POT template).
struct CatalogEntry {
    std::string context;     // msgctxt; empty when the entry has none
    std::string english;     // msgid: the library's text
    std::string translated;  // msgstr; empty when the entry is not translated
    bool fuzzy = false;      // marked for review: a translation that is not used
    long line = 0;           // line of the entry's msgid in the file; 0 when unknown
};

// Reads a catalog with libgettextpo, in file order, without the header entry and obsolete
// entries. On failure answers false, leaves entries empty and sets error to one line,
// "FILE:LINE: what is wrong" (or "FILE: ..." when no line applies): a file that cannot be
// read, a compiled MO file, a syntax error, a duplicate entry, a charset other than UTF-8, or a
// translation that does not keep exactly the placeholders of its text (^1 to ^9, the %1 to %9
// of list patterns, and the list groups [...:]k).
// Not reentrant inside libgettextpo; calls are serialized.
bool ReadCatalog(const std::string& path, std::vector<CatalogEntry>& entries, std::string& error);

// Reads the catalog and registers every translated entry that is not fuzzy for the procedure
// ("" is the common table): entries without a context with SetTranslation, the others with
// SetContextTranslation. A bad catalog registers nothing and answers false with the error of
// ReadCatalog.
bool LoadTranslations(const std::string& path, std::string& error,
                      const std::string& procedure = "");

}  // namespace refhost

#endif
