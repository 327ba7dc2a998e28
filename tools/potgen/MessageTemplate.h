#ifndef TOOLS_POTGEN_MESSAGETEMPLATE_H
#define TOOLS_POTGEN_MESSAGETEMPLATE_H

#include <string>
#include <vector>

namespace potgen {

// One entry of the message template.
struct TemplateEntry {
    std::string context;   // msgctxt: the reporting method, for a text several methods report
    std::string english;   // msgid: the text as the library looks it up
    std::string comments;  // for translators: who reports it, what each placeholder holds
};

// Runs every call of AllCatalogCalls through the library and the reference host, and makes one
// entry of every text the library had translated, in the order the calls first needed them,
// followed by an entry per reporting method where several methods report the text. False, with
// error, when a call does not behave as the table says or a text cannot be explained.
// Clears the reference host's translations.
bool BuildTemplate(std::vector<TemplateEntry>& entries, std::string& error);

// Writes the entries as a gettext template (POT) with libgettextpo.
bool WriteTemplate(const std::vector<TemplateEntry>& entries, const std::string& path,
                   std::string& error);

}  // namespace potgen

#endif
