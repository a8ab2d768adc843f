// The paths a patch's run opens for each record, relative to the installation folder: a copy's
// file (and the temporary file it writes in that file's folder), a delete's path, an archive
// (and the temporary archive the update writes in the installation folder).
#pragma once

#include <string>
#include <vector>

#include "author/patch_plan.h"

namespace Orvane::Author {

struct RecordPath {
    std::string path;        // code page 932, '\' between folders
    std::string tempFolder;  // where the run writes a temporary file for it, ending in '\'
    bool writesTemp = false;
    // Whether the run may read or keep the installed file's bytes (an update, or a copy the
    // freshness rule may skip); a delete only looks at the file's attributes.
    bool keepsBytes = false;
};

std::vector<RecordPath> RecordPaths(const PatchPlan& plan);

}  // namespace Orvane::Author
