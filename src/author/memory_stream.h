// A StreamBase over bytes in memory, so that the archive records can write a header or an
// entry header exactly as the update command would, and the bytes can be compared.
#pragma once

#include <cstdint>
#include <vector>

#include "common/stream_base.h"

namespace Orvane::Author {

class MemoryStream : public Common::StreamBase {
public:
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    bool CanRead() const override { return true; }
    bool IsOpen() const override { return true; }
    bool CanWrite() const override { return true; }
    std::int64_t GetLength() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t GetPosition() const override { return position_; }
    bool SetLength(std::int64_t length) override;
    void Close() override {}
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;
    std::int32_t ReadByte() override;
    bool Write(const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten = nullptr) override;
    bool WriteByte(std::uint8_t value) override { return Write(&value, 1); }

private:
    std::vector<std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

}  // namespace Orvane::Author
