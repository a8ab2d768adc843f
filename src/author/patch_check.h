// Checks a written patch before anyone ships it: applies it to every old release through the
// same run as `orvpatch apply` (RunPatch), compares the result with the new release file by
// file (names without regard to case, bytes), then applies it once more and compares again,
// so that a second run changes nothing. A patch whose first records make way for folders may
// stop at once on its second run (patch_plan.h, wayMade).
//
// The runs work on a scratch tree that holds only what they can see of an old release: the
// files and folders along the paths the records open (scratch_tree.h), cloned where the file
// system can. A file of the release that no record opens is, after the run, what it was
// before: it is compared where it lies, by the digests the diff took of it already. So the
// check writes no more than the old copies of the files the patch touches, and never writes
// into a release. Its runs see an installation folder of the length a player's may have
// (run_folder.h).
//
// Folders are not compared: no record makes or removes one (the plan notes them). Copies that
// the plan lets the freshness rule skip (--allow-skip) may leave their file as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "author/diff_progress.h"
#include "author/interruption.h"
#include "author/patch_plan.h"
#include "author/release_tree.h"

namespace Orvane::Author {

inline constexpr char kApplyFailed[] = "applying the patch to a copy of an old release fails";
inline constexpr char kFileDiffers[] = "the patched old release holds other bytes than the new one";
inline constexpr char kFileMissing[] = "the patched old release lacks a file of the new one";
inline constexpr char kFileLeft[] = "the patched old release keeps a file the new one lacks";

struct CheckPlace {
    std::filesystem::path scratch;  // an existing empty folder, emptied again afterwards
    std::size_t installPathLength = 0;
};

// patchPath is the patch executable (code page 932). Raises MessageFailure naming the old
// release and the first file that differs, or with the run's own failure text; kInterrupted
// when the poll asks to stop, which the runs of the patch also heed as their Cancel.
void CheckPatch(const std::string& patchPath, const std::vector<Release>& olds,
                const Release& newer, const PatchPlan& plan, const CheckPlace& place,
                const StopPoll& stop = {}, DiffProgress& progress = Unwatched());

}  // namespace Orvane::Author
