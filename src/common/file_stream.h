// StreamBase over a platform file, unbuffered: every operation is one platform call, so the
// position the platform sees is always the stream's.
//
//   auto stream = std::make_shared<FileStream>(path, FileMode::OpenExisting, FileAccess::Read,
//                                              FileShare::Read | FileShare::Write);
//   if (!stream->CanRead()) { ... the open failed ... }
//
// A failed Open leaves the stream closed, whatever it was before. The file closes when the last
// holder of the stream (and of any copy of its handle object) lets go of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/stream_base.h"

namespace Orvane::Common {

// Creation disposition; only the low 8 bits are looked at and values above 4 fail the open.
enum FileMode : std::uint32_t {
    CreateAlways = 0,
    CreateNew = 1,
    OpenExisting = 2,
    OpenAlways = 3,
    TruncateExisting = 4,
};

namespace FileAccess {
inline constexpr std::uint32_t Read = 1;
inline constexpr std::uint32_t Write = 2;
}  // namespace FileAccess

namespace FileShare {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Read = 1;
inline constexpr std::uint32_t Write = 2;
inline constexpr std::uint32_t Delete = 4;
inline constexpr std::uint32_t Inheritable = 8;  // not a sharing bit: an inheritable handle
}  // namespace FileShare

namespace FileOptions {
inline constexpr std::uint32_t None = 0;  // the platform gets FILE_ATTRIBUTE_NORMAL
inline constexpr std::uint32_t Encrypted = 0x01;
inline constexpr std::uint32_t DeleteOnClose = 0x02;
inline constexpr std::uint32_t RandomAccess = 0x08;
inline constexpr std::uint32_t SequentialScan = 0x10;
inline constexpr std::uint32_t WriteThrough = 0x20;
}  // namespace FileOptions

// The platform flags and attributes that an options value selects.
std::uint32_t PlatformFlagsFor(std::uint32_t options);

class FileStream : public StreamBase {
public:
    FileStream() = default;
    FileStream(const std::string& path, std::uint32_t mode, std::uint32_t access,
               std::uint32_t share, std::uint32_t options = FileOptions::None);
    ~FileStream() override;

    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool Open(const std::string& path, std::uint32_t mode, std::uint32_t access,
              std::uint32_t share, std::uint32_t options = FileOptions::None);
    // An absent path (nullptr) makes the open fail.
    bool Open(const char* path, std::uint32_t mode, std::uint32_t access, std::uint32_t share,
              std::uint32_t options = FileOptions::None);

    bool CanRead() const override;
    bool IsOpen() const override;
    bool CanWrite() const override;
    std::int64_t GetLength() const override;
    std::int64_t GetPosition() const override;
    bool SetLength(std::int64_t length) override;
    void Close() override;
    // Closes as Close does, telling whether the system let the file go without an error (a
    // deferred write failure of NFS or FUSE shows only here). True when nothing was open, or
    // another holder keeps the handle open.
    bool CloseChecked();
    // Writes what the file holds through to the disk; false when nothing is open or the disk
    // refused.
    bool FlushToDisk();
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;
    std::int32_t ReadByte() override;
    bool Write(const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten = nullptr) override;
    bool WriteByte(std::uint8_t value) override;
    std::string GetPath() const;

    // The platform handle, for the few callers that need a platform call on it (file times).
    std::intptr_t NativeHandle() const;

private:
    class Handle;
    std::shared_ptr<Handle> file_;
    std::uint32_t canRead_ = 0;
    std::uint32_t canWrite_ = 0;
    std::string path_;
};

}  // namespace Orvane::Common
