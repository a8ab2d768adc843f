// A payload entry's stored fields as they stand in the "[FILE]" table, for showing a patch
// rather than running it: the time stamps are the stored calendar fields, never turned into a
// time (2024-02-31 stays 2024-02-31), and the data is read only when asked for. Alongside, the
// reader judges the entry as PicFile::Load does, so that a payload the patch program cannot
// load is named with the reason. Reports by result; never throws for bad data.
#pragma once

#include <cstdint>

#include "common/stream_base.h"
#include "patch/container_description.h"

namespace Orvane {

// Why the patch program cannot load a payload; a rejected stamp is named before a cut.
enum class PayloadProblem {
    None,
    CreatedRejected,   // the creation stamp is not a local time the program accepts
    ModifiedRejected,  // the same for the last-write stamp
    CutShort,          // the file ends before the entry does
};

struct StoredPayload {
    PayloadDescription fields;  // data only when asked for
    std::uint32_t size = 0;     // the stored size, whether or not the data is all there
    PayloadProblem problem = PayloadProblem::None;
};

// Reads the entry at the stream's position; with withData, and when the file holds the whole
// entry, its bytes too. True when the patch program could load the entry; false with
// payload.problem saying why. Fields read before a cut keep their values.
bool ReadStoredPayload(Common::StreamBase& stream, StoredPayload& payload, bool withData);

}  // namespace Orvane
