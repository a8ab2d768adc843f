// A StreamBase that only reads: the writing half fails as a read-only file's would, and a
// byte is read through Read. Readers over other storage derive from it and supply the rest.
#pragma once

#include <cstdint>

#include "common/stream_base.h"

namespace Orvane::Common {

class ReadOnlyStream : public StreamBase {
public:
    bool CanWrite() const final { return false; }
    bool SetLength(std::int64_t) final { return false; }
    std::int32_t ReadByte() final {
        std::uint8_t value = 0;
        return Read(&value, 1) ? value : -1;
    }
    bool Write(const void*, std::uint32_t, std::uint32_t* bytesWritten = nullptr) final {
        if (bytesWritten != nullptr) *bytesWritten = 0;
        return false;
    }
    bool WriteByte(std::uint8_t) final { return false; }
};

}  // namespace Orvane::Common
