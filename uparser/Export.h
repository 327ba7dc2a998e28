#ifndef UPARSER_EXPORT_H
#define UPARSER_EXPORT_H

// The library is compiled with hidden visibility: the shared library exports what UPARSER_API
// marks, its public classes and free functions, and nothing else. A static build defines
// UPARSER_STATIC for itself and for its users, so that a program or plugin that takes the
// library in whole does not pass its symbols on.
//
// UPARSER_HOST_API marks the host's services declared in uparser/host/. The host defines them;
// the library only refers to them. Default visibility keeps every trace of them the library
// holds (references, and the type information of the abstract interfaces) bound to whatever
// the program provides, and lets a host executable export its services to the library that a
// procedure plugin loads.
#if defined(__GNUC__) || defined(__clang__)
#define UPARSER_VISIBLE __attribute__((visibility("default")))
#else
#define UPARSER_VISIBLE
#endif

#if defined(UPARSER_STATIC)
#define UPARSER_API
#else
#define UPARSER_API UPARSER_VISIBLE
#endif

#define UPARSER_HOST_API UPARSER_VISIBLE

#endif
