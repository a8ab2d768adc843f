// What a run knows of the folders it looks names up in, so that adding N files to one folder
// reads that folder once, not N times.
//
// A folder's listing is learnt once, with an inotify watch set up before it is read, and kept
// current from the watch's events: a name that any process (this one or another) creates,
// renames or deletes there is in the events queued before that call returns, and every lookup
// takes the queued events in first. So a name that appears in another case while the run goes
// on is found as surely as by reading the folder again. Only local file systems, whose
// changes all pass through this kernel, are kept; a folder on a network or FUSE file system,
// one the watch limit leaves out, and every folder after an event queue overflow are read
// afresh each time, as before.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Os::Posix {

// The entries of folder (a host path, "." for the current folder) equal to name without
// regard to case, the exact name included; nothing when the folder is not kept (the caller
// reads it itself). takeChanges false skips taking in the queued changes: for the further
// components of one path, looked up a moment after its first.
std::optional<std::vector<std::string>> KeptCaseVariants(const std::string& folder,
                                                         std::string_view name,
                                                         bool takeChanges = true);

}  // namespace Orvane::Os::Posix
