#ifndef GRAMMAR_GRAMMAREXPORT_H
#define GRAMMAR_GRAMMAREXPORT_H

#include "uparser/Export.h"

// The module is compiled with hidden visibility, as the library is: its shared library exports
// what UPGRAMMAR_API marks and keeps the JSON library it is built on to itself, so that a host
// using another version of it meets no clash. A static build (UPARSER_STATIC) exports nothing.
#if defined(UPARSER_STATIC)
#define UPGRAMMAR_API
#else
#define UPGRAMMAR_API UPARSER_VISIBLE
#endif

#endif
