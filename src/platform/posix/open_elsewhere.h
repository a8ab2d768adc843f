// Whether another process holds a file open or mapped: what Windows decides from its share
// modes.
#pragma once

namespace Orvane::Os::Posix {

// True when a process other than this one has the file that `descriptor` (ours) holds open,
// or mapped into its memory, as far as /proc shows: the processes of the same user, or all of
// them for root. Without /proc nothing can be seen, and the answer is false.
//
// Files are compared by device and inode as /proc itself keeps them (fdinfo's mount and
// inode, mountinfo's device, the device and inode of each mapping). No link under
// /proc/PID/fd is ever followed: that would ask the file system of each file another process
// holds for its attributes, and a dead FUSE server or a hard NFS mount would then hang the
// check for good.
bool IsOpenByAnotherProcess(int descriptor);

}  // namespace Orvane::Os::Posix
