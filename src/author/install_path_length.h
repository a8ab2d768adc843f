// Paths as a player's installation folder leaves room for them: a patch is applied below a
// folder such as C:\Program Files (x86)\Publisher\Game\, and every path the run opens (the
// folder, a record's path and the temporary file a copy writes beside it) must stay within
// the MAX_PATH of the ANSI Windows calls. A path that fits below the author's folder may not
// fit below the player's, so the length of that folder is stated, not taken from wherever the
// diff happens to run.
#pragma once

#include <cstddef>
#include <string>

#include "author/patch_plan.h"

namespace Orvane::Author {

inline constexpr char kPathTooLong[] = "a path does not fit below an installation folder of ";

// A stand-in installation folder of exactly length characters, its final separator included.
std::string InstallFolderOfLength(std::size_t length);

// Raises a Refusal naming every record whose paths would not fit below an installation folder
// of folderLength characters: "TEXT N characters: PATH (it fits below one of at most M)", the
// others below the first as "PATH (it fits below one of at most M)" (refusal.h).
void RequirePathsFitBelow(const PatchPlan& plan, std::size_t folderLength);

}  // namespace Orvane::Author
