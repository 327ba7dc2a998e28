#ifndef REFHOST_CASEFILES_H
#define REFHOST_CASEFILES_H

#include <string>

// The reference host's case files are CSV data files (see refhost::Dictionary::fromCsv). A
// file counts as in use, as if another procedure held it open, only while it is marked here.
namespace refhost {

// Marks or unmarks a path, resolved as CheckFileRef resolves it.
void MarkFileInUse(const std::string& path, bool inUse);

// Unmarks every path.
void ClearFilesInUse();

}  // namespace refhost

#endif
