#ifndef REFHOST_WORKINGDIRECTORY_H
#define REFHOST_WORKINGDIRECTORY_H

// How the reference host finds the current directory for a relative path (CheckFileRef,
// UserCaseFileSpec). By default it asks the system every time, as a host whose procedures may
// change directory must. A process that never changes directory (uparse) fixes it once
// instead, which spares a system call for every relative path of every command.
namespace refhost {

// Relative paths resolve against the directory current now, whatever the process does
// afterwards; false, and nothing fixed, when the system cannot tell it. Call it before other
// threads use the host.
bool FixWorkingDirectory();

// Asks the system again for every path. Call it before other threads use the host.
void FollowWorkingDirectory();

}  // namespace refhost

#endif
