#ifndef UPARSER_HOST_MBSTRING_H
#define UPARSER_HOST_MBSTRING_H

#include <cstddef>

#include "uparser/Export.h"

// The host's multibyte text functions: case and blanks are the host's business, so the
// library never upper-cases, trims or compares characters ignoring case itself.

// Upper-cases a NUL-terminated text in place; returns a pointer to the result.
UPARSER_HOST_API char* TAVOMBstrupr_A(char* text);

// Trims a NUL-terminated text in place; the returned pointer may lie inside the buffer.
UPARSER_HOST_API char* TAVOMBstrtrim_A(char* text);

// Compares the first n characters of two texts ignoring case; 0 means equal.
UPARSER_HOST_API int TAVOMBstrnccmp_A(char const* left, char const* right, std::size_t n);

#endif
