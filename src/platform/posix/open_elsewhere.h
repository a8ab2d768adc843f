// Whether another process holds a file open: what Windows decides from its share modes.
#pragma once

#include <sys/stat.h>

namespace Orvane::Os::Posix {

// True when a process other than this one has the file (device and inode of `file`) open,
// as far as /proc shows: the processes of the same user, or all of them for root. Without
// /proc nothing can be seen, and the answer is false.
bool IsOpenByAnotherProcess(const struct stat& file);

}  // namespace Orvane::Os::Posix
