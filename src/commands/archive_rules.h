// What the archive update decides about the archive it meets, in one place, so that a dry run
// of a patch (app/run_plan.h) decides exactly as the update does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/arc_entry.h"
#include "common/file_stream.h"
#include "patch/command_params.h"
#include "patch/pic_file.h"

namespace Orvane {

// Opens the archive as the update reads it: an existing file, for reading, shared with no one,
// read front to back. The stream cannot read when the open failed (missing, locked, a folder).
std::shared_ptr<Common::FileStream> OpenArchiveForUpdate(const std::string& path);

// An archive already at the target revision or past it is left alone.
bool IsAtOrPastTarget(std::uint32_t archiveRevision, std::uint16_t targetRevision);

// The swap of the finished archive cannot replace a read-only archive (the platform refuses it).
bool RefusesArchiveSwap(std::uint8_t attributes);
// Raises MessageFailure(kArchiveReplaceFailed) when the archive at path is one the swap refuses.
void RequireSwappableArchive(const std::string& path);

// Which entries removal records drop: see RemovalIndex (commands/removal_index.h).

// The entry header that an added payload becomes: its kind, the calendar fields of its
// last-write time, its name and its size. unicodeNames is left as it is.
void DescribeAddedEntry(const PicFile& payload, ArcEntry& entry);

}  // namespace Orvane
