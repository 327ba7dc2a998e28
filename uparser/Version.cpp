#include "uparser/Version.h"

const char* UparserVersion() {
    return UPARSER_VERSION;
}
