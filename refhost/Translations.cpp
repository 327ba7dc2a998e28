#include "refhost/Translations.h"

#include <map>

#include "refhost/LookupLog.h"
#include "refhost/TranslationsOff.h"

namespace refhost {

namespace {

// procedure -> key -> translation. A context entry's key is the context, the byte 4 and the
// English text, as gettext joins them; no English text contains that byte.
using TranslationTable = std::map<std::string, std::map<std::string, std::string>>;

TranslationTable& table() {
    static TranslationTable instance;
    return instance;
}

std::string contextKey(const std::string& context, const std::string& english) {
    return context + '\x04' + english;
}

bool find(const std::string& procedure, const std::string& key, std::string& translated) {
    const TranslationTable& all = table();
    const auto perProcedure = all.find(procedure);
    if (perProcedure == all.end()) {
        return false;
    }
    const auto entry = perProcedure->second.find(key);
    if (entry == perProcedure->second.end()) {
        return false;
    }
    translated = entry->second;
    return true;
}

// The procedure's entry, else the common one.
bool findWithFallback(const std::string& procedure, const std::string& key,
                      std::string& translated) {
    return find(procedure, key, translated) ||
           (!procedure.empty() && find("", key, translated));
}

}  // namespace

void SetTranslation(const std::string& procedure, const std::string& english,
                    const std::string& translated) {
    table()[procedure][english] = translated;
}

void ClearTranslations() {
    table().clear();
}

bool FindTranslation(const std::string& procedure, const std::string& english,
                     std::string& translated) {
    return find(procedure, english, translated);
}

void SetContextTranslation(const std::string& procedure, const std::string& context,
                           const std::string& english, const std::string& translated) {
    table()[procedure][contextKey(context, english)] = translated;
}

bool FindContextTranslation(const std::string& procedure, const std::string& context,
                            const std::string& english, std::string& translated) {
    return find(procedure, contextKey(context, english), translated);
}

std::string TranslateInContext(const std::string& procedure, const std::string& context,
                               const std::string& english) {
    std::string translated;
    if (!TranslationsAreOff() &&
        findWithFallback(procedure, contextKey(context, english), translated)) {
        return translated;
    }
    return LookUpTranslation(procedure, english, translated) ? translated : english;
}

bool LookUpTranslation(const std::string& procedure, const std::string& english,
                       std::string& translated) {
    const bool found = !TranslationsAreOff() && findWithFallback(procedure, english, translated);
    RecordLookup(procedure, english, found);
    return found;
}

}  // namespace refhost
