// Finds where the patch container starts in a patch executable: directly behind the raw data
// of the last entry of the image's section table.
#pragma once

#include <cstdint>

#include "common/stream_base.h"

namespace Orvane {

// The container's start offset, or kNoContainerOffset when the DOS and PE headers cannot be
// walked (no "MZ", no PE signature, a short read, a failed seek) or the last section's raw
// data would end past 4 GiB. Moves the stream's position. The caller compares the result
// with the file size: equal means nothing is appended.
std::uint32_t LocatePatchContainer(Common::StreamBase& stream);

}  // namespace Orvane
