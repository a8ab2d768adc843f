// What every step of a release diff works on: the old releases, the new one, the options and
// the plan being collected. Steps raise MessageFailure (the refusals) for what no record can
// express; the text names the file or entry.
#pragma once

#include <string>
#include <vector>

#include "author/diff_progress.h"
#include "author/interruption.h"
#include "author/plan_builder.h"
#include "author/refusal.h"
#include "author/release_tree.h"

namespace Orvane::Author {

struct DiffOptions {
    // A changed file whose new time is not newer than an old one's is a warning, not a refusal.
    bool allowSkip = false;
    StopPoll stop;
    DiffProgress* progress = &Unwatched();
};

struct DiffContext {
    const std::vector<Release>& olds;
    const Release& newer;
    DiffOptions options;
    PlanBuilder& plan;
    RefusalList& refusals;  // what no record can express, file by file
};

// A path of a release as messages name it: "PATH (RELEASE FOLDER)".
std::string InRelease(const std::string& path, const Release& release);

// Refuses a file that a record may not name (record_path.h): the program would refuse the
// record, or Windows could not hold the file.
void RequireRecordPath(const ReleaseItem& file);

// Whether old release `index` lacks the file or holds other bytes there.
bool OldDiffers(const DiffContext& context, std::size_t index, const ReleaseItem& file);

}  // namespace Orvane::Author
