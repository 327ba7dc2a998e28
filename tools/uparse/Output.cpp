#include "tools/uparse/Output.h"

#include "tools/uparse/JsonOutput.h"
#include "tools/uparse/TextOutput.h"

namespace uparse {

void Output::command(const CommandReport& report) {
    Rendered rendered;
    render(report, rendered);
    emit(rendered);
}

std::unique_ptr<Output> MakeOutput(bool json, std::ostream& out, std::ostream& diagnostics,
                                   bool source) {
    if (json) {
        return std::make_unique<JsonOutput>(out);
    }
    return std::make_unique<TextOutput>(out, diagnostics, source);
}

}  // namespace uparse
