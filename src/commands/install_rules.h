// What the copy and delete commands decide about the file they meet, in one place, so that a
// dry run of a patch (app/run_plan.h) decides exactly as the commands do.
#pragma once

#include <cstdint>
#include <string>

#include "common/ctime.h"
#include "patch/command_params.h"

namespace Orvane {

// The copy leaves an installed file alone when its last-write time is as new as the payload's
// or newer (whole seconds).
bool IsAsNewAsPayload(const Basic::CTime& installed, const Basic::CTime& payload);

// The copy cannot put its file over a read-only or hidden file, nor over a folder.
bool RefusesOverwrite(std::uint8_t attributes);

// The delete cannot remove a read-only file, nor a folder.
bool RefusesDeletion(std::uint8_t attributes);

// The path a copy record writes, relative to the installation folder: folder and payload name.
std::string CopyDestination(const CopyParams& params);

// The path any record works on, relative to the installation folder: a copy's destination, the
// file a delete removes, the archive an update rebuilds.
std::string RecordPath(const ICmdParams& command);

// Raises MessageFailure(kUnsafePath) unless both the copy's folder and its destination stay
// inside the installation folder. The folder is checked on its own because the temporary file
// goes there: a folder ".." without its separator joins with the name into the one
// harmless-looking component "..x".
void RequireCopyInsideFolder(const CopyParams& params);

// Raises MessageFailure(kUpdateFileNotCreated) for a destination that the freshness test cannot
// look up (too long for it, yet short enough for the platform to write): without the test a
// newer installed file would be overwritten. baseFolder must be set.
void RequireVisibleDestination(const CopyParams& params);

}  // namespace Orvane
