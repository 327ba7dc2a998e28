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

}  // namespace refhost

#endif
