#include "tools/uparse/SourceExcerpt.h"

#include <utf8proc.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "refhost/UnicodeText.h"
#include "tools/uparse/Printable.h"

namespace uparse {

namespace {

constexpr int kWidest = 120;  // characters of a line shown whole
constexpr int kBefore = 40;   // characters shown before the range in a longer line

// Columns the terminal gives one character of the escaped line.
std::size_t ShownWidth(std::string_view bytes, const refhost::Utf8Char& character) {
    const std::string shown = Escaped(bytes);
    if (shown.size() != bytes.size() || !character.valid) {
        return shown.size();  // an escape: plain ASCII
    }
    const int width = utf8proc_charwidth(static_cast<utf8proc_int32_t>(character.code));
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

}  // namespace

namespace {

bool PrintableAscii(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// Columns from through to - 1 of the line, and the marks under them.
std::string Excerpt(std::string_view shownText, std::string_view prefix, std::string_view suffix,
                    int from, int to, int column, int endColumn) {
    std::string shown(prefix);
    shown += shownText;
    shown += suffix;
    std::string marks(prefix.size(), ' ');
    const int start = std::max(column, from);
    if (start < to) {
        marks.append(static_cast<std::size_t>(start - from), ' ');
        marks += '^';
        marks.append(static_cast<std::size_t>(std::max(0, std::min(endColumn, to) - start - 1)), '~');
    } else {
        // The range starts at the line's end: the point after its last character.
        marks.append(static_cast<std::size_t>(to - from), ' ');
        marks.append(static_cast<std::size_t>(column > to ? column - to : 0), ' ');
        marks += '^';
    }
    return shown + '\n' + marks + '\n';
}

}  // namespace

std::string SourceExcerpt(std::string_view line, int column, int endColumn) {
    // A line of printable ASCII, as nearly every one is, shows its bytes one column each.
    if (PrintableAscii(line)) {
        const int count = static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX - 1));
        int from = 1;
        int to = count + 1;
        if (count > kWidest) {
            from = std::max(1, std::min(column, count + 1) - kBefore);
            to = std::min(count + 1, from + kWidest);
        }
        return Excerpt(line.substr(static_cast<std::size_t>(from - 1),
                                   static_cast<std::size_t>(to - from)),
                       from > 1 ? " ..." : " ", to <= count ? "..." : "", from, to, column,
                       endColumn);
    }
    // Each character as shown: its text, a piece of texts, and its width in columns.
    struct Shown {
        std::size_t begin;
        std::size_t length;
        std::size_t width;
    };
    std::string texts;
    texts.reserve(line.size());
    std::vector<Shown> characters;
    characters.reserve(line.size());
    for (std::size_t offset = 0; offset < line.size();) {
        // Printable ASCII, nearly every character of a syntax line, is itself and one column.
        if (line[offset] >= 0x20 && line[offset] < 0x7F) {
            characters.push_back({texts.size(), 1, 1});
            texts += line[offset];
            ++offset;
            continue;
        }
        const refhost::Utf8Char character = refhost::ReadUtf8(line, offset);
        const std::string_view bytes = line.substr(offset, character.length);
        offset += character.length;
        const std::string escaped = Escaped(bytes);
        characters.push_back({texts.size(), escaped.size(), ShownWidth(bytes, character)});
        texts += escaped;
    }
    // A long line shows a window around the range's start, marked with "..." where it is cut.
    const int count = static_cast<int>(characters.size());
    int from = 1;
    int to = count + 1;
    if (count > kWidest) {
        from = std::max(1, std::min(column, count + 1) - kBefore);
        to = std::min(count + 1, from + kWidest);
    }
    std::string shown = from > 1 ? " ..." : " ";
    std::string marks(shown.size(), ' ');
    bool caret = false;
    for (int at = from; at < to; ++at) {
        const Shown& character = characters[static_cast<std::size_t>(at - 1)];
        shown.append(texts, character.begin, character.length);
        if (at < column) {
            marks.append(character.width, ' ');
        } else if (at < endColumn || !caret) {
            if (!caret && character.width > 0) {
                marks += '^';
                marks.append(character.width - 1, '~');
                caret = true;
            } else {
                marks.append(character.width, '~');
            }
        }
    }
    if (to <= count) {
        shown += "...";
    }
    if (!caret) {
        // The range starts at the line's end: the point after its last character.
        marks.append(static_cast<std::size_t>(column > to ? column - to : 0), ' ');
        marks += '^';
    }
    return shown + '\n' + marks + '\n';
}

std::string_view LineOf(std::string_view text, long firstLine, long line) {
    std::size_t start = 0;
    for (long current = firstLine; current < line; ++current) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            return {};
        }
        start = end + 1;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    if (end > start && text[end - 1] == '\r') {
        --end;
    }
    return text.substr(start, end - start);
}

}  // namespace uparse
