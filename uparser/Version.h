#ifndef UPARSER_VERSION_H
#define UPARSER_VERSION_H

#include "uparser/Export.h"

// The version of the library that is loaded, as "MAJOR.MINOR.PATCH". A program compiled
// against one release may run with a later compatible one; this tells which it runs with.
UPARSER_API const char* UparserVersion();

#endif
