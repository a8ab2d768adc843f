// Little-endian writer of bytes, 16/32-bit values and byte blocks onto a stream, at the stream's
// current position. Every failed write raises a MessageFailure with the operation's fixed text;
// nothing is ever reported as written that was not.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/stream_base.h"

namespace Orvane::Common {

inline constexpr char kWriteByteFailed[] = "Error : BinaryWriter.Write(Byte)";
inline constexpr char kWriteIntegerFailed[] = "Error : BinaryWriter.Write()";
inline constexpr char kWriteBlockFailed[] = "Error : BinaryWriter.Write(Byte*,UInt32)";
inline constexpr char kWriteVectorFailed[] = "Error : BinaryWriter.Write(vector<Byte>&)";

class BinaryWriter {
public:
    explicit BinaryWriter(std::shared_ptr<StreamBase> stream);

    void Write(std::uint8_t value);
    void Write(std::uint16_t value);
    void Write(std::uint32_t value);
    // An absent block or a count of 0 is a failure, not a no-op.
    void Write(const std::uint8_t* data, std::uint32_t count);
    // An empty vector is a failure.
    void Write(const std::vector<std::uint8_t>& data);

private:
    std::shared_ptr<StreamBase> stream_;
};

}  // namespace Orvane::Common
