#ifndef REFHOST_TRANSLATIONS_H
#define REFHOST_TRANSLATIONS_H

#include <string>

namespace refhost {

// The reference host's string table, shared by the whole host. Translations are registered
// per procedure; procedure "" is the common table every procedure falls back to.
void SetTranslation(const std::string& procedure, const std::string& english,
                    const std::string& translated);
void ClearTranslations();

// The translation registered for exactly this procedure (no fallback); false when none is.
bool FindTranslation(const std::string& procedure, const std::string& english,
                     std::string& translated);

// A context names the finding a text reports (a catalog's msgctxt, such as the reporting
// method "InvalidParamValue"), for texts that serve more than one finding. The library hands
// the string table only the English text, so the string table and the output service never
// use these entries: they are for a host that learns which finding produced a message and
// translates it again with TranslateInContext.
void SetContextTranslation(const std::string& procedure, const std::string& context,
                           const std::string& english, const std::string& translated);
bool FindContextTranslation(const std::string& procedure, const std::string& context,
                            const std::string& english, std::string& translated);

// The translation for that finding: the context entry of the procedure, else of procedure "",
// else what LookUpTranslation answers, else the English text itself.
std::string TranslateInContext(const std::string& procedure, const std::string& context,
                               const std::string& english);

// What the string table (FacSTDictionary::LookUp) and the output service answer: the entry
// of the procedure, else of procedure "", ignoring contexts. False, with nothing set, when
// neither has one or while translations are off on this thread.
bool LookUpTranslation(const std::string& procedure, const std::string& english,
                       std::string& translated);

}  // namespace refhost

#endif
