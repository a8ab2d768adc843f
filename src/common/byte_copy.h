// Moving a run of bytes from a file being read to a file being written, in bounded pieces.
#pragma once

#include <cstdint>

#include "common/buffered_reader.h"
#include "common/buffered_writer.h"

namespace Orvane::Common {

// Copies count bytes from the stream's position to the writer's; the stream's position moves
// past them. From a BufferedReader, long runs are copied inside the kernel where the platform
// can and the rest straight out of the reader's block; from any other stream through a bounded
// buffer. Memory use does not depend on count. False when the stream ends before count bytes
// or a read or the writer fails (what was copied before stays written).
bool CopyBytes(StreamBase& from, BufferedWriter& to, std::uint64_t count);

}  // namespace Orvane::Common
