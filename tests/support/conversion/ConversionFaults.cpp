#include "support/ConversionFaults.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "support/HostFaults.h"
#include "uparser/host/DataSource.h"

namespace {

testsupport::Conversion gToString = testsupport::Conversion::Host;
testsupport::Conversion gFromString = testsupport::Conversion::Host;
std::string gText;

template <typename Function>
Function* Next(const char* mangledName) {
    void* found = dlsym(RTLD_NEXT, mangledName);
    if (found == nullptr) {
        std::abort();  // the reference host's symbol was renamed
    }
    return reinterpret_cast<Function*>(found);
}

}  // namespace

namespace testsupport {

void SetToString(Conversion behaviour) {
    gToString = behaviour;
}

void SetFromString(Conversion behaviour) {
    gFromString = behaviour;
}

void SetConversionText(const std::string& text) {
    gText = text;
}

}  // namespace testsupport

long ToString(const OBS* value, const TAVO_Format& format, char* out) {
    using testsupport::Conversion;
    static const auto host = Next<long(const OBS*, const TAVO_Format&, char*)>(
        "_Z8ToStringPK3OBSRK11TAVO_FormatPc");
    switch (gToString) {
        case Conversion::Fails:
            return 1;
        case Conversion::WritesStars:
            std::memset(out, '*', format.width);
            out[format.width] = '\0';
            return 1;
        case Conversion::WritesText: {
            const std::size_t length = std::min<std::size_t>(gText.size(), format.width);
            std::memcpy(out, gText.data(), length);
            out[length] = '\0';
            return 0;
        }
        case Conversion::Throws:
            throw testsupport::HostFault{0};
        default:
            return host(value, format, out);
    }
}

long FromString(char const* text, const TAVO_Format& format, OBS* out) {
    using testsupport::Conversion;
    static const auto host =
        Next<long(char const*, const TAVO_Format&, OBS*)>("_Z10FromStringPKcRK11TAVO_FormatP3OBS");
    switch (gFromString) {
        case Conversion::Fails:
        case Conversion::WritesStars:
        case Conversion::WritesText:
            return 1;
        case Conversion::Throws:
            throw testsupport::HostFault{0};
        default:
            return host(text, format, out);
    }
}
