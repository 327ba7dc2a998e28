#include "tools/uparse-lsp/TextPositions.h"

namespace uparselsp {

namespace {

bool IsContinuation(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

std::size_t Units(std::size_t sequence, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return sequence;
    }
    return sequence == 4 ? 2 : 1;  // beyond the basic plane: a surrogate pair
}

}  // namespace

std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(text, at + i)) {
            return 1;
        }
    }
    return length;
}

std::size_t ByteOfUnits(std::string_view line, long units, Encoding encoding) {
    std::size_t at = 0;
    std::size_t counted = 0;
    while (at < line.size() && units > 0) {
        const std::size_t length = SequenceLength(line, at);
        counted += Units(length, encoding);
        if (counted > static_cast<std::size_t>(units)) {
            break;
        }
        at += length;
    }
    return at;
}

long UnitsOfBytes(std::string_view line, std::size_t bytes, Encoding encoding) {
    long units = 0;
    for (std::size_t at = 0; at < line.size() && at < bytes;) {
        const std::size_t length = SequenceLength(line, at);
        units += static_cast<long>(Units(length, encoding));
        at += length;
    }
    return units;
}

std::size_t ByteOfColumn(std::string_view line, long column) {
    std::size_t at = 0;
    for (long c = 1; c < column && at < line.size(); ++c) {
        at += SequenceLength(line, at);
    }
    return at;
}

}  // namespace uparselsp
