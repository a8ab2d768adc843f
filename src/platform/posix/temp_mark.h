// The mark that tells our temporary files from files that only look like them: an extended
// attribute that nothing but this program sets, naming the process that made the file. A file
// system without user attributes keeps no mark, and such a file is never taken for ours.
#pragma once

#include <string>

namespace Orvane::Os::Posix {

// Marks an open file as made by this process; false when the file system keeps no mark.
bool MarkAsTemporary(int descriptor);

// Takes the mark off a file that has become what it was made for (renamed into place).
void DropTemporaryMark(const std::string& hostPath);

// Whether the file carries the mark of a process that is provably gone: what a killed run
// left. A process is provably gone when it ran in this boot of this machine, in this PID
// namespace, and no longer runs there; when it ran in another PID namespace and, seen from the
// first namespace (which shows every process), no process of that namespace is it; or when it
// ran on this machine in an earlier boot and the file has not changed since. A file whose
// creator cannot be seen from here (a namespace we cannot look into, another machine sharing
// the folder) is never a leftover, and neither is a file of a running process, this one
// included.
bool IsLeftoverTemporary(const std::string& hostPath);

}  // namespace Orvane::Os::Posix
