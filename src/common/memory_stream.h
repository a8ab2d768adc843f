// StreamBase over bytes in memory: a payload read as the file it becomes, or a scratch target
// for a writer whose failures are wanted without touching a file.
#pragma once

#include <cstdint>
#include <vector>

#include "common/stream_base.h"

namespace Orvane::Common {

class MemoryStream : public StreamBase {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool CanRead() const override { return open_; }
    bool IsOpen() const override { return open_; }
    bool CanWrite() const override { return open_; }
    std::int64_t GetLength() const override;
    std::int64_t GetPosition() const override;
    bool SetLength(std::int64_t length) override;
    void Close() override { open_ = false; }
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;
    std::int32_t ReadByte() override;
    bool Write(const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten = nullptr) override;
    bool WriteByte(std::uint8_t value) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;  // may lie past the end, as a file's may
    bool open_ = true;
};

}  // namespace Orvane::Common
