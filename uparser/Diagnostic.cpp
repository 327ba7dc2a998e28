#include "uparser/Diagnostic.h"

#include "uparser/TokenInfoObj.h"

namespace {

// Code points of UTF-8 text: every byte that does not continue a sequence. An ill-formed
// byte counts as one, as the reference host's tokenizer counts it.
int codePoints(char const* text, unsigned length) {
    int count = 0;
    for (unsigned i = 0; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

int endColumnOf(const TokenInfoObj& token) {
    if (token.hasExtent()) {
        return token.getEndColumn();
    }
    int width = codePoints(token.getString(), token.getStringLength());
    if (token.IsLiteral()) {
        width += 2;
    }
    // A token has at least one character, even one whose host gave no text.
    return token.getColumn() + (width > 0 ? width : 1);
}

// The bytes the token spans as written: its text, and for a literal the quotes around it and
// the quotes doubled inside it, each one byte and one column: as many as its columns exceed
// its text's characters.
long long byteEndOf(const TokenInfoObj& token) {
    if (token.getByteOffset() < 0) {
        return -1;
    }
    long long bytes = token.getStringLength();
    if (token.IsLiteral()) {
        const int quotes = endColumnOf(token) - token.getColumn() -
                           codePoints(token.getString(), token.getStringLength());
        bytes += quotes > 0 ? quotes : 0;
    }
    return token.getByteOffset() + bytes;
}

}  // namespace

DiagnosticObserver::~DiagnosticObserver() = default;

SourceRange TokenRange(const TokenInfoObj& token) {
    return TokenRange(token, token);
}

SourceRange TokenRange(const TokenInfoObj& first, const TokenInfoObj& last) {
    SourceRange range;
    // A default snapshot (line 0) is no token: nothing to point at.
    if (first.getLineNumber() <= 0 || first.getColumn() <= 0) {
        return range;
    }
    const TokenInfoObj& end = last.getLineNumber() > 0 && last.getColumn() > 0 ? last : first;
    range.kind = SourceRange::Kind::Tokens;
    range.line = first.getLineNumber();
    range.column = first.getColumn();
    range.endLine = end.getLineNumber();
    range.endColumn = endColumnOf(end);
    const long long byteEnd = byteEndOf(end);
    if (first.getByteOffset() >= 0 && byteEnd >= 0) {
        range.byteOffset = first.getByteOffset();
        range.byteEnd = byteEnd;
    }
    return range;
}

SourceRange EndOfCommandAfter(const TokenInfoObj& token) {
    SourceRange range = TokenRange(token);
    if (!range.known()) {
        return range;
    }
    range.kind = SourceRange::Kind::EndOfCommand;
    range.line = range.endLine;
    range.column = range.endColumn;
    range.byteOffset = range.byteEnd;
    return range;
}

SourceRange WholeCommand(const TokenInfoObj* firstToken) {
    SourceRange range;
    if (firstToken != nullptr) {
        range = TokenRange(*firstToken);
    }
    range.kind = SourceRange::Kind::WholeCommand;
    return range;
}
