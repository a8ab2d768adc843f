#include "patch/stream_reading.h"

#include <cstring>

#include "common/little_endian.h"

namespace Orvane {

bool ReadExact(Common::StreamBase& stream, void* buffer, std::uint32_t count) {
    if (count == 0) return true;
    return stream.Read(buffer, count);
}

bool ReadU16(Common::StreamBase& stream, std::uint16_t& value) {
    std::uint8_t bytes[2];
    if (!ReadExact(stream, bytes, sizeof bytes)) return false;
    value = Common::LoadU16(bytes);
    return true;
}

bool ReadU32(Common::StreamBase& stream, std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (!ReadExact(stream, bytes, sizeof bytes)) return false;
    value = Common::LoadU32(bytes);
    return true;
}

bool ReadPaddedBlock(Common::StreamBase& stream, std::uint16_t count, std::size_t padding,
                     std::vector<std::uint8_t>& buffer) {
    if (RemainingBytes(stream) < count) return false;
    buffer.assign(count + padding, 0);
    return ReadExact(stream, buffer.data(), count);
}

std::int64_t RemainingBytes(const Common::StreamBase& stream) {
    std::int64_t position = stream.GetPosition();
    std::int64_t length = stream.GetLength();
    if (position < 0 || length <= position) return 0;
    return length - position;
}

std::uint32_t PositionLow32(const Common::StreamBase& stream) {
    return static_cast<std::uint32_t>(stream.GetPosition());
}

bool MatchesTag(const std::uint8_t* bytes, const char* tag, std::size_t size) {
    return std::memcmp(bytes, tag, size) == 0;
}

}  // namespace Orvane
