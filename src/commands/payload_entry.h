// The entry header that an archive update appends for a payload. Shared by the update command
// and by whoever must know beforehand what the command will write.
#pragma once

#include "commands/arc_entry.h"
#include "patch/pic_file.h"

namespace Orvane {

// Fills entry from the payload: its kind, the local calendar fields of its last-write time,
// its name (an added entry never keeps the stored name of an earlier entry) and its size.
// unicodeNames stays as the caller set it.
void FillEntryFromPayload(ArcEntry& entry, const PicFile& payload);

}  // namespace Orvane
