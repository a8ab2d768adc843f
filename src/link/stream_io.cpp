#include "link/stream_io.h"

#include "common/failure.h"
#include "common/little_endian.h"

namespace Orvane {

void ReadExactly(Common::StreamBase& stream, void* buffer, std::uint32_t count) {
    if (count != 0 && !stream.Read(buffer, count)) throw PlainFailure();
}

std::uint8_t ReadU8(Common::StreamBase& stream) {
    std::uint8_t value = 0;
    ReadExactly(stream, &value, 1);
    return value;
}

std::uint16_t ReadU16(Common::StreamBase& stream) {
    std::uint8_t bytes[2];
    ReadExactly(stream, bytes, 2);
    return Common::LoadU16(bytes);
}

std::uint32_t ReadU32(Common::StreamBase& stream) {
    std::uint8_t bytes[4];
    ReadExactly(stream, bytes, 4);
    return Common::LoadU32(bytes);
}

}  // namespace Orvane
