#ifndef REFHOST_HOST_PATHSTATUS_H
#define REFHOST_HOST_PATHSTATUS_H

#include <string>

// The parts of ValidateFileSpecification's answer, each with only the system calls it needs:
// a case file check asks two or three questions of a path, and the full answer costs two
// stat calls and an access call every time. Private to the host's file services.
namespace refhost {

struct PathStatus {
    bool formed = false;  // the path can name a file at all (length, NUL, name lengths)
    bool exists = false;
    bool directory = false;
};

// One stat call for a formed path, none for another.
PathStatus StatPath(const std::string& path);

// Whether the directory that would hold the path's last component exists.
bool ParentIsDirectory(const std::string& path);

// Whether an existing file cannot be written.
bool CannotWrite(const std::string& path);

}  // namespace refhost

#endif
