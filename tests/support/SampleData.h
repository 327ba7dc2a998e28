#ifndef TESTS_SUPPORT_SAMPLEDATA_H
#define TESTS_SUPPORT_SAMPLEDATA_H

#include "refhost/Dictionary.h"

// The dictionary of examples/data/sample.csv, the data set of the sample procedures, read once.
const refhost::Dictionary& SampleData();

#endif
