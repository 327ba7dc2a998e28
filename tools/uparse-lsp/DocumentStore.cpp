#include "tools/uparse-lsp/DocumentStore.h"

#include <algorithm>
#include <utility>

namespace uparselsp {

namespace {

int Severity(const std::string& level) {
    if (level == "error") {
        return 1;
    }
    return level == "warning" ? 2 : 3;
}

// uparse's own findings know where they start only: they cover the word there, which ends
// before a separator or before the "." that ends the command.
bool EndsWord(std::string_view line, std::size_t at) {
    const char c = line[at];
    if (c == '.') {
        return line.find_first_not_of(" \t", at + 1) == std::string_view::npos;
    }
    return c == ' ' || c == '\t' || c == '/' || c == '=' || c == '(' || c == ')' || c == ',';
}

}  // namespace

Document::Document(std::string text, long version) : mText(std::move(text)), mVersion(version) {
    indexLines();
}

void Document::replaceAll(std::string text) {
    mText = std::move(text);
    indexLines();
}

void Document::indexLines() {
    mLineStarts.assign(1, 0);
    for (std::size_t at = mText.find('\n'); at != std::string::npos;
         at = mText.find('\n', at + 1)) {
        mLineStarts.push_back(at + 1);
    }
}

std::string_view Document::line(std::size_t index) const {
    const std::size_t start = mLineStarts[index];
    std::size_t end = index + 1 < mLineStarts.size() ? mLineStarts[index + 1] - 1 : mText.size();
    if (end > start && mText[end - 1] == '\r') {
        --end;
    }
    return std::string_view(mText).substr(start, end - start);
}

bool Document::offsetOf(const Position& position, Encoding encoding, std::size_t& offset) const {
    if (position.line < 0 || position.character < 0 ||
        static_cast<std::size_t>(position.line) >= mLineStarts.size()) {
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(position.line);
    offset = mLineStarts[index] + ByteOfUnits(line(index), position.character, encoding);
    return true;
}

bool Document::replace(const Range& range, std::string_view text, Encoding encoding) {
    std::size_t start = 0;
    std::size_t end = 0;
    if (!offsetOf(range.start, encoding, start) || !offsetOf(range.end, encoding, end) ||
        end < start) {
        return false;
    }
    mText.replace(start, end - start, text);
    indexLines();
    return true;
}

Position Document::positionOf(long line, long column, Encoding encoding) const {
    // Lines from the checker count from 1; a line past the end keeps to the last one.
    const std::size_t index =
        std::min(static_cast<std::size_t>(std::max(line, 1L) - 1), mLineStarts.size() - 1);
    const std::string_view text = this->line(index);
    return Position{static_cast<long>(index),
                    UnitsOfBytes(text, ByteOfColumn(text, column), encoding)};
}

std::vector<CommandSymbol> Document::symbols(Encoding encoding) const {
    std::vector<CommandSymbol> symbols;
    for (const refhost::CommandText& command : refhost::SplitCommands(mText)) {
        const long first = command.firstLine - 1;
        const long last =
            first + static_cast<long>(std::count(command.text.begin(), command.text.end(), '\n'));
        const std::string_view lastLine = line(static_cast<std::size_t>(last));
        const std::string_view firstLine = line(static_cast<std::size_t>(first));
        const std::size_t from = firstLine.find_first_not_of(" \t");
        std::size_t to = from;
        while (to < firstLine.size() && !EndsWord(firstLine, to)) {
            ++to;
        }
        CommandSymbol symbol;
        // A command that opens with a separator has no name word: its first line stands in.
        symbol.name =
            std::string(to > from ? firstLine.substr(from, to - from) : firstLine.substr(from));
        symbol.range = Range{{first, 0}, {last, UnitsOfBytes(lastLine, lastLine.size(), encoding)}};
        symbol.selection = Range{{first, UnitsOfBytes(firstLine, from, encoding)},
                                 {first, UnitsOfBytes(firstLine, to, encoding)}};
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

void Document::place(const uparse::Diagnostic& diagnostic, long shift, Encoding encoding,
                     std::vector<Finding>& out) const {
    Finding finding;
    finding.severity = Severity(diagnostic.level);
    finding.code = diagnostic.id;
    finding.message = diagnostic.text;
    finding.replacement = diagnostic.suggestion;
    finding.range.start = positionOf(diagnostic.line + shift, diagnostic.column, encoding);
    if (diagnostic.endLine > 0) {
        finding.range.end = positionOf(diagnostic.endLine + shift, diagnostic.endColumn, encoding);
    } else {
        const std::string_view text = line(static_cast<std::size_t>(finding.range.start.line));
        const std::size_t from = ByteOfColumn(text, diagnostic.column);
        std::size_t to = from;
        while (to < text.size() && !EndsWord(text, to)) {
            ++to;
        }
        finding.range.end = Position{finding.range.start.line, UnitsOfBytes(text, to, encoding)};
    }
    out.push_back(std::move(finding));
}

}  // namespace uparselsp
