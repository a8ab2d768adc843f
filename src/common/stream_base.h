// The random-access byte stream through which every file is read and written.
//
// Operations report by result and never throw: false, -1 or 0 as each one says.
// Positions and lengths are signed 64-bit; counts of reads and writes unsigned 32-bit.
#pragma once

#include <cstdint>

namespace Orvane::Common {

// Where a Seek counts from.
inline constexpr int kFromBeginning = 0;
inline constexpr int kFromCurrent = 1;
inline constexpr int kFromEnd = 2;

class StreamBase {
public:
    virtual bool CanRead() const = 0;
    virtual bool IsOpen() const = 0;
    virtual bool CanWrite() const = 0;
    // File size in bytes; 0 when closed or unknown.
    virtual std::int64_t GetLength() const = 0;
    // Current position; -1 when closed or unknown.
    virtual std::int64_t GetPosition() const = 0;
    // Cuts or extends the file to length and leaves the position there.
    virtual bool SetLength(std::int64_t length) = 0;
    virtual void Close() = 0;
    // origin: kFromBeginning, kFromCurrent or kFromEnd.
    virtual bool Seek(std::int64_t offset, int origin) = 0;
    // Without bytesRead: true only when exactly count bytes were read (a short read is false,
    // the bytes that arrived stay in buffer). With bytesRead: true unless the read failed.
    virtual bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) = 0;
    // The next byte (0-255), or -1 at the end or on failure.
    virtual std::int32_t ReadByte() = 0;
    virtual bool Write(const void* buffer, std::uint32_t count,
                       std::uint32_t* bytesWritten = nullptr) = 0;
    virtual bool WriteByte(std::uint8_t value) = 0;
    virtual ~StreamBase() = default;

protected:
    StreamBase() = default;
    StreamBase(const StreamBase&) = default;
    StreamBase& operator=(const StreamBase&) = default;
};

}  // namespace Orvane::Common
