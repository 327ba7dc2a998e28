#ifndef UPARSER_HOST_TOKENEXTENT_H
#define UPARSER_HOST_TOKENEXTENT_H

#include <cstddef>

#include "uparser/Export.h"

// Optional: a token stream that also derives from this class tells where its current token
// ends and where it starts in the command text. The parser looks for it once per parse
// (dynamic_cast), and only when a diagnostic observer is attached, so a host without it, or a
// parse nobody observes, makes no call beyond the twelve operations of TAVO_TokenSequence.
// Without it a token's end is derived from its column and text.
class UPARSER_HOST_API TokenExtentSource {
  public:
    virtual ~TokenExtentSource() = default;
    // The column just past the current token's last character (its closing quote for a
    // literal), counted as getColumn() counts.
    virtual int getEndColumn() const = 0;
    // The current token's first byte in the command text (a literal's opening quote).
    virtual std::size_t getByteOffset() const = 0;
};

#endif
