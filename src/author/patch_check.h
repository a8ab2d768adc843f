// Checks a written patch before anyone ships it: applies it to a scratch copy of every old
// release through the same run as `orvpatch apply` (RunPatch), compares the result with the
// new release file by file (names without regard to case, bytes), then applies it once more
// and compares again, so that a second run changes nothing. A patch whose first records make
// way for folders may stop at once on its second run (patch_plan.h, wayMade).
//
// Folders are not compared: no record makes or removes one (the plan notes them). Copies that
// the plan lets the freshness rule skip (--allow-skip) may leave their file as it was.
// The scratch copies live below the system's temporary folder and are removed afterwards.
#pragma once

#include <string>
#include <vector>

#include "author/interruption.h"
#include "author/patch_plan.h"
#include "author/release_tree.h"

namespace Orvane::Author {

inline constexpr char kNoScratchFolder[] = "no scratch folder can be made in the temporary folder";
inline constexpr char kApplyFailed[] = "applying the patch to a copy of an old release fails";
inline constexpr char kFileDiffers[] = "the patched old release holds other bytes than the new one";
inline constexpr char kFileMissing[] = "the patched old release lacks a file of the new one";
inline constexpr char kFileLeft[] = "the patched old release keeps a file the new one lacks";

// patchPath is the patch executable (code page 932). Raises MessageFailure naming the old
// release and the first file that differs, or with the run's own failure text; kInterrupted
// when the poll asks to stop, which the runs of the patch also heed as their Cancel.
void CheckPatch(const std::string& patchPath, const std::vector<Release>& olds,
                const Release& newer, const PatchPlan& plan, const StopPoll& stop = {});

}  // namespace Orvane::Author
