#ifndef REFHOST_TOKENS_H
#define REFHOST_TOKENS_H

#include <string>
#include <vector>

#include "refhost/TextTokenSequence.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/host/TokenSequence.h"

// Token snapshots as the parser takes them. Inline, because a snapshot is the library's class:
// the reference host itself links nothing of the library, so a program that links the library
// statically before it still resolves every symbol.
namespace refhost {

// Every token from the stream's position to its end.
inline std::vector<TokenInfoObj> Snapshots(TAVO_TokenSequence& stream) {
    std::vector<TokenInfoObj> tokens;
    const int count = stream.getTokenCount();
    tokens.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    while (stream.next()) {
        tokens.emplace_back(stream);
    }
    return tokens;
}

// Every token of the text, the command name included, as the reference tokenizer reads it.
inline std::vector<TokenInfoObj> TokensOf(const std::string& text) {
    TextTokenSequence stream(text);
    return Snapshots(stream);
}

}  // namespace refhost

#endif
