#ifndef UPARSER_VERSION_H
#define UPARSER_VERSION_H

// The version of the library that is loaded, as "MAJOR.MINOR.PATCH". A program compiled
// against one release may run with a later compatible one; this tells which it runs with.
const char* UparserVersion();

#endif
