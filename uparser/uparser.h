#ifndef UPARSER_UPARSER_H
#define UPARSER_UPARSER_H

// Umbrella header: every public header of the library.
#include "uparser/ParserMessage.h"
#include "uparser/UPSpecTypes.h"

#endif
