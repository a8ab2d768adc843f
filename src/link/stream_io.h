// Exact reads for the archive entry reader: a short read is a PlainFailure.
#pragma once

#include <cstdint>
#include <vector>

#include "common/stream_base.h"

namespace Orvane {

void ReadExactly(Common::StreamBase& stream, void* buffer, std::uint32_t count);
std::uint8_t ReadU8(Common::StreamBase& stream);
std::uint16_t ReadU16(Common::StreamBase& stream);
std::uint32_t ReadU32(Common::StreamBase& stream);

}  // namespace Orvane
