#include "refhost/Translations.h"

#include <map>

namespace refhost {

namespace {

// procedure -> English text -> translation
using TranslationTable = std::map<std::string, std::map<std::string, std::string>>;

TranslationTable& table() {
    static TranslationTable instance;
    return instance;
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
    const TranslationTable& all = table();
    const auto perProcedure = all.find(procedure);
    if (perProcedure == all.end()) {
        return false;
    }
    const auto entry = perProcedure->second.find(english);
    if (entry == perProcedure->second.end()) {
        return false;
    }
    translated = entry->second;
    return true;
}

}  // namespace refhost
