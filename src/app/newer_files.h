// Installed files that a copy finds as new as its payload or newer. The Windows program leaves
// every one of them: a patch applied twice copies nothing the second time. But an installation
// whose times cannot be trusted (copied with `cp -r` or by a launcher, every file stamped with
// the time of the copy) then keeps old files beside new archives, with no word of it. So the
// `orvpatch` side tells a file that already holds the payload's bytes from one whose bytes
// differ, names the latter, and on request replaces them.
//
//   std::vector<std::string> kept;
//   RunPatch(inputs, errors, openProgress, DecideNewerFiles(NewerFiles::Keep, kept));
//   for (const std::string& path : kept) ... warn: left as newer, but differs ...
#pragma once

#include <string>
#include <vector>

#include "commands/copy_command.h"
#include "patch/pic_file.h"

namespace Orvane {

enum class NewerFiles {
    Keep,              // left, as the Windows program leaves them
    ReplaceDiffering,  // replaced when their bytes differ from the payload's (a folder stays)
};

// Whether the file at path holds exactly the payload's bytes; false for a folder, or a file
// that cannot be read.
bool HoldsPayloadBytes(const std::string& path, const PicFile& payload);

// Whether two payloads of one patch hold the same bytes.
bool SamePayloadBytes(const PicFile& a, const PicFile& b);

// The copies' decision under policy: a newer file with the payload's bytes is left; one whose
// bytes differ, or a folder, is replaced under ReplaceDiffering (a file only) and otherwise left
// with its path (relative to the installation folder, as the record gives it) added to
// keptDiffering, which must outlive the run.
NewerFileDecision DecideNewerFiles(NewerFiles policy, std::vector<std::string>& keptDiffering);

}  // namespace Orvane
