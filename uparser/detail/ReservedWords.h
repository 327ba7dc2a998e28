#ifndef UPARSER_DETAIL_RESERVEDWORDS_H
#define UPARSER_DETAIL_RESERVEDWORDS_H

// The reserved words of variable lists, as diagnostics name them. The tokenizer recognises
// them by operator code; these are their texts where a message argument needs one. Catalog
// message texts keep the words literally: those texts are the string table's keys.
namespace reserved_words {

constexpr char kTo[] = "TO";      // a range: a TO b
constexpr char kAll[] = "ALL";    // every variable
constexpr char kBy[] = "BY";      // factors, or crossing in a crossed list
constexpr char kWith[] = "WITH";  // covariates
constexpr char kCross[] = "*";    // crossing, as BY

}  // namespace reserved_words

#endif
