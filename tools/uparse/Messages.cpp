#include "tools/uparse/Messages.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "refhost/refhost.h"

namespace uparse {

namespace {

namespace fs = std::filesystem;

// Where the default catalog may be: installed, relative to the program; in the build tree,
// beside it.
std::vector<fs::path> DefaultCatalogs() {
    std::error_code failed;
    const fs::path program = fs::read_symlink("/proc/self/exe", failed);
    if (failed) {
        return {};
    }
    const fs::path dir = program.parent_path();
    return {dir / UPARSE_CATALOG_DIR / "en.po", dir / "po" / "en.po"};
}

}  // namespace

bool LoadMessages(const std::string& choice, MessageChoice& outcome, std::string& error) {
    outcome = MessageChoice::LibraryTexts;
    if (choice == "none") {
        return true;
    }
    std::string path = choice;
    if (path.empty()) {
        for (const fs::path& candidate : DefaultCatalogs()) {
            std::error_code failed;
            if (fs::is_regular_file(candidate, failed)) {
                path = candidate.string();
                break;
            }
        }
        if (path.empty()) {
            return true;
        }
    }
    if (!refhost::LoadTranslations(path, error)) {
        return false;
    }
    outcome = MessageChoice::Catalog;
    return true;
}

void AddLibraryTexts(const refhost::CommandText& command, const Procedures& procedures,
                     const TAVO_DataSource& data, bool raw, CommandReport& report) {
    // Only the library's messages have a text of their own; a command without any, as every
    // correct one is, need not run again.
    if (std::none_of(report.diagnostics.begin(), report.diagnostics.end(),
                     [](const Diagnostic& diagnostic) { return diagnostic.fromLibrary; })) {
        return;
    }
    const refhost::TranslationsOff off;
    const CommandReport untranslated = CheckCommand(command, report.file, procedures, data, raw);
    // The run is the same but for the words, so the messages pair up in order.
    if (untranslated.diagnostics.size() != report.diagnostics.size()) {
        return;
    }
    for (std::size_t i = 0; i < report.diagnostics.size(); ++i) {
        if (report.diagnostics[i].fromLibrary) {
            report.diagnostics[i].libraryText = untranslated.diagnostics[i].text;
        }
    }
}

}  // namespace uparse
