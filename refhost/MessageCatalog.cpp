#include "refhost/MessageCatalog.h"

#include "refhost/FileText.h"

#include <gettext-po.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>

#include "refhost/Translations.h"

namespace refhost {

namespace {

// libgettextpo reports through plain function pointers without user data, and keeps its
// handlers in globals while it reads: one reader at a time, its first error kept here.
std::mutex gReaderMutex;
std::string* gFirstError = nullptr;

std::string oneLine(const char* text) {
    std::string line = text != nullptr ? text : "";
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) {
        line.pop_back();
    }
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return line;
}

void noteError(int severity, const char* file, std::size_t line, const char* text) {
    if (severity == PO_SEVERITY_WARNING || gFirstError == nullptr || !gFirstError->empty()) {
        return;
    }
    std::string where = file != nullptr ? std::string(file) + ":" : std::string();
    if (file != nullptr && line != static_cast<std::size_t>(-1)) {
        where += std::to_string(line) + ":";
    }
    *gFirstError = (where.empty() ? "" : where + " ") + oneLine(text);
}

// The reader goes on after a fatal error when the handler returns; it then gives back what
// it could read, which is discarded because an error was noted.
void onError(int severity, po_message_t /*message*/, const char* file, std::size_t line,
             std::size_t /*column*/, int /*multiline*/, const char* text) {
    noteError(severity, file, line, text);
}

void onError2(int severity, po_message_t /*message1*/, const char* file1, std::size_t line1,
              std::size_t /*column1*/, int /*multiline1*/, const char* text1,
              po_message_t /*message2*/, const char* /*file2*/, std::size_t /*line2*/,
              std::size_t /*column2*/, int /*multiline2*/, const char* /*text2*/) {
    noteError(severity, file1, line1, text1);
}

struct FileCloser {
    void operator()(po_file_t file) const { po_file_free(file); }
};
using PoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, FileCloser>;

struct IteratorCloser {
    void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};
using PoIterator = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>, IteratorCloser>;

bool readWhole(const std::string& path, std::string& text, std::string& error) {
    errno = 0;
    if (refhost::ReadFile(path, text)) {
        return true;
    }
    error = path + ": cannot read it: " + std::strerror(errno != 0 ? errno : EIO);
    return false;
}

bool isCompiledCatalog(const std::string& text) {
    static const unsigned char kLittle[] = {0xde, 0x12, 0x04, 0x95};
    static const unsigned char kBig[] = {0x95, 0x04, 0x12, 0xde};
    return text.size() >= 4 && (std::memcmp(text.data(), kLittle, 4) == 0 ||
                                std::memcmp(text.data(), kBig, 4) == 0);
}

// The lines of every msgid (obsolete ones included), in file order: libgettextpo gives the
// entries in that order but not their lines, which an error about an entry should name.
std::vector<long> msgidLines(const std::string& text) {
    std::vector<long> lines;
    std::istringstream in(text);
    long number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.compare(0, 6, "msgid ") == 0 || line.compare(0, 9, "#~ msgid ") == 0) {
            lines.push_back(number);
        }
    }
    return lines;
}

// The placeholders a translation has to keep: ^k and %k, and k of every list group [...:]k.
std::set<std::string> placeholders(const std::string& text) {
    std::set<std::string> unique;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char next = text[i + 1];
        if ((text[i] == '^' || text[i] == '%') && next >= '1' && next <= '9') {
            unique.insert(text.substr(i, 2));
        } else if (text[i] == ':' && next == ']') {
            std::size_t end = i + 2;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
                ++end;
            }
            unique.insert("[...:]" + text.substr(i + 2, end - i - 2));
        }
    }
    return unique;
}

std::string joined(const std::set<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : " ") + item;
    }
    return text.empty() ? "none" : text;
}

// A translation that is used must keep the placeholders of its text.
bool keepsPlaceholders(const CatalogEntry& entry, const std::string& path, std::string& error) {
    if (entry.translated.empty() || entry.fuzzy) {
        return true;
    }
    const std::set<std::string> expected = placeholders(entry.english);
    const std::set<std::string> kept = placeholders(entry.translated);
    if (expected == kept) {
        return true;
    }
    error = path + ":" + (entry.line > 0 ? std::to_string(entry.line) + ":" : "") +
            " the translation has the placeholders " + joined(kept) + ", its text " +
            joined(expected);
    return false;
}

std::string charsetOf(po_file_t file) {
    const char* header = po_file_domain_header(file, nullptr);
    if (header == nullptr) {
        return "UTF-8";
    }
    char* field = po_header_field(header, "Content-Type");
    std::string contentType = field != nullptr ? field : "";
    std::free(field);
    const std::size_t at = contentType.find("charset=");
    if (at == std::string::npos) {
        return "UTF-8";
    }
    std::string charset = contentType.substr(at + 8);
    const std::size_t end = charset.find_first_of("; \t");
    return charset.substr(0, end);
}

bool isUtf8Charset(const std::string& charset) {
    std::string upper;
    for (char c : charset) {
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    // A template names no charset yet; ASCII is a part of UTF-8.
    return upper == "UTF-8" || upper == "UTF8" || upper == "ASCII" || upper == "US-ASCII" ||
           upper == "CHARSET";
}

PoFile parse(const std::string& path, std::string& error) {
    const std::lock_guard<std::mutex> lock(gReaderMutex);
    std::string firstError;
    gFirstError = &firstError;
    const po_xerror_handler handler = {onError, onError2};
    PoFile file(po_file_read(path.c_str(), &handler));
    gFirstError = nullptr;
    if (!firstError.empty() || !file) {
        error = !firstError.empty() ? firstError : path + ": cannot read it as a catalog";
        return nullptr;
    }
    return file;
}

bool collect(po_file_t file, const std::string& path, const std::vector<long>& lines,
             std::vector<CatalogEntry>& entries, std::string& error) {
    std::vector<po_message_t> messages;
    PoIterator iterator(po_message_iterator(file, nullptr));
    while (po_message_t message = po_next_message(iterator.get())) {
        messages.push_back(message);
    }
    const bool linesKnown = lines.size() == messages.size();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        po_message_t message = messages[i];
        const char* context = po_message_msgctxt(message);
        CatalogEntry entry;
        entry.english = po_message_msgid(message);
        if (po_message_is_obsolete(message) || (entry.english.empty() && context == nullptr) ||
            po_message_msgid_plural(message) != nullptr) {
            continue;
        }
        entry.context = context != nullptr ? context : "";
        entry.translated = po_message_msgstr(message);
        entry.fuzzy = po_message_is_fuzzy(message) != 0;
        entry.line = linesKnown ? lines[i] : 0;
        if (!keepsPlaceholders(entry, path, error)) {
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

}  // namespace

bool ReadCatalog(const std::string& path, std::vector<CatalogEntry>& entries, std::string& error) {
    entries.clear();
    std::string text;
    if (!readWhole(path, text, error)) {
        return false;
    }
    if (isCompiledCatalog(text)) {
        error = path + ": a compiled MO catalog; give its PO source (msgunfmt recovers one)";
        return false;
    }
    const PoFile file = parse(path, error);
    if (!file) {
        return false;
    }
    const std::string charset = charsetOf(file.get());
    if (!isUtf8Charset(charset)) {
        error = path + ": the catalog is in " + charset + "; only UTF-8 catalogs are read";
        return false;
    }
    if (!collect(file.get(), path, msgidLines(text), entries, error)) {
        entries.clear();
        return false;
    }
    return true;
}

bool LoadTranslations(const std::string& path, std::string& error, const std::string& procedure) {
    std::vector<CatalogEntry> entries;
    if (!ReadCatalog(path, entries, error)) {
        return false;
    }
    for (const CatalogEntry& entry : entries) {
        if (entry.translated.empty() || entry.fuzzy) {
            continue;
        }
        if (entry.context.empty()) {
            SetTranslation(procedure, entry.english, entry.translated);
        } else {
            SetContextTranslation(procedure, entry.context, entry.english, entry.translated);
        }
    }
    return true;
}

}  // namespace refhost
