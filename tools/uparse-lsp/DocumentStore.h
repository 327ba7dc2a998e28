#ifndef TOOLS_UPARSE_LSP_DOCUMENTSTORE_H
#define TOOLS_UPARSE_LSP_DOCUMENTSTORE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "refhost/SplitCommands.h"
#include "tools/uparse-lsp/TextPositions.h"
#include "tools/uparse/CommandReport.h"

namespace uparselsp {

// A position as the client writes it: line and character from 0, characters in the
// negotiated encoding.
struct Position {
    long line = 0;
    long character = 0;
};

struct Range {
    Position start;
    Position end;
};

// What a check found, placed in the document as the client counts.
struct Finding {
    Range range;
    int severity = 1;  // 1 error, 2 warning, 3 information
    std::string code;  // the library's catalog name; empty for uparse's own findings
    std::string message;
    std::string replacement;  // the name a "did you mean" note proposes for the word it covers
};

// One command of a document, as an outline shows it: its name and the lines it spans.
struct CommandSymbol {
    std::string name;  // the command's first word as written
    Range range;       // the whole command
    Range selection;   // the name
};

// One open syntax file: its text, and the findings of each of its commands kept by the
// command's text, so that after an edit only the commands whose text changed run again.
class Document {
  public:
    Document(std::string text, long version);

    const std::string& text() const { return mText; }
    long version() const { return mVersion; }
    void setVersion(long version) { mVersion = version; }

    void replaceAll(std::string text);
    // Replaces the range by text. A character past a line's end means the line's end; false,
    // leaving the text as it was, when the range starts after it ends or names a line the
    // document does not have.
    bool replace(const Range& range, std::string_view text, Encoding encoding);

    // Every command's findings, in document order. check runs one command whose text was not
    // seen in the last call, with lines counted from 1.
    template <typename Check>
    const std::vector<Finding>& findings(Encoding encoding, Check check);
    // What the last call of findings answered.
    const std::vector<Finding>& lastFindings() const { return mFindings; }

    std::vector<CommandSymbol> symbols(Encoding encoding) const;

    std::size_t lineCount() const { return mLineStarts.size(); }
    // The line's text without its line break.
    std::string_view line(std::size_t index) const;

  private:
    bool offsetOf(const Position& position, Encoding encoding, std::size_t& offset) const;
    void indexLines();
    void place(const uparse::Diagnostic& diagnostic, long shift, Encoding encoding,
               std::vector<Finding>& out) const;
    Position positionOf(long line, long column, Encoding encoding) const;

    std::string mText;
    long mVersion;
    std::vector<std::size_t> mLineStarts;
    std::unordered_map<std::string, std::vector<uparse::Diagnostic>> mChecked;
    std::vector<Finding> mFindings;
};

template <typename Check>
const std::vector<Finding>& Document::findings(Encoding encoding, Check check) {
    std::unordered_map<std::string, std::vector<uparse::Diagnostic>> kept;
    std::vector<Finding>& out = mFindings;
    out.clear();
    for (refhost::CommandText& command : refhost::SplitCommands(mText)) {
        auto found = kept.find(command.text);
        if (found == kept.end()) {
            auto previous = mChecked.find(command.text);
            std::vector<uparse::Diagnostic> diagnostics =
                previous != mChecked.end() ? std::move(previous->second)
                                           : check(refhost::CommandText{command.text, 1});
            found = kept.emplace(std::move(command.text), std::move(diagnostics)).first;
        }
        for (const uparse::Diagnostic& diagnostic : found->second) {
            place(diagnostic, command.firstLine - 1, encoding, out);
        }
    }
    mChecked = std::move(kept);
    return out;
}

}  // namespace uparselsp

#endif
