#ifndef TESTS_SUPPORT_CONVERSIONFAULTS_H
#define TESTS_SUPPORT_CONVERSIONFAULTS_H

#include <string>

// A program that links support/conversion/ConversionFaults.cpp replaces the host's ToString and
// FromString with these, which answer as the reference host does until told to misbehave. The
// reference host's own functions are reached through the dynamic linker, so the library and the
// host must be shared libraries. The unit is kept out of the test support library: linked into
// every test program, it would take the host's conversion from all of them.
namespace testsupport {

enum class Conversion {
    Host,         // the reference host's answer
    Fails,        // a non-zero result, nothing written
    WritesStars,  // a field of "*" as wide as the format, result 1
    WritesText,   // the text set by SetConversionText, cut to the format's width, result 0
    Throws        // throws HostFault
};

void SetToString(Conversion behaviour);
void SetFromString(Conversion behaviour);
// What ToString writes under Conversion::WritesText; it may hold any byte, NUL included.
void SetConversionText(const std::string& text);

}  // namespace testsupport

#endif
