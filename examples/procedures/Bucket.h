#ifndef EXAMPLES_PROCEDURES_BUCKET_H
#define EXAMPLES_PROCEDURES_BUCKET_H

#include <string>
#include <vector>

#include "examples/procedures/Procedure.h"

namespace examples {

// BUCKET newvariable
//        /MAP variables ; values code ; values code ...
//        [/OTHERWISE VALUE = number | COPY]
//        [/LABELS 'text' ...]
//        [/WRITE FILE = 'file' [SEPARATOR = word]]
//
// Makes a new variable whose value is the code of the row of MAP that matches the values of
// the source variables (one value per variable in each row, rows separated by ";"). Cases
// that match no row get the OTHERWISE value, or keep nothing with COPY taking the first
// source's value. LABELS names the codes in order; WRITE saves the mapping to a text file.
struct BucketRow {
    std::vector<std::string> values;  // one per source variable, as written
    double code = 0;
};

struct BucketSettings {
    std::string target;
    std::vector<std::string> sources;  // as written
    std::vector<BucketRow> rows;       // ordered by the values as texts
    bool copy = false;
    bool hasOtherwise = false;
    double otherwise = 0;
    std::vector<std::string> labels;
    std::string file;  // resolved path; empty when not written
    std::string separator = "COMMA";
};

class Bucket : public Procedure {
  public:
    Bucket();

    // The values of a parsed command, read through the typed getters; defaults where a
    // subcommand or parameter was not given.
    BucketSettings settings(const CommandSpec& spec) const;

  protected:
    bool validate(const CommandSpec& spec, Validation& check) const override;
};

}  // namespace examples

#endif
