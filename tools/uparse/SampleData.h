#ifndef TOOLS_UPARSE_SAMPLEDATA_H
#define TOOLS_UPARSE_SAMPLEDATA_H

namespace uparse {

// The text of examples/data/sample.csv, compiled in.
const char* SampleCsv();

}  // namespace uparse

#endif
