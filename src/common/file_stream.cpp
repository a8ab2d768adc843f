#include "common/file_stream.h"

#include <new>
#include <utility>

#include "platform/os.h"

namespace Orvane::Common {

// Owns one platform handle and closes it when the last holder lets go.
class FileStream::Handle {
public:
    Handle() = default;
    ~Handle() { Release(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    Os::FileHandle Get() const { return handle_; }
    void Set(Os::FileHandle handle) { handle_ = handle; }
    // Closes the handle; false when the system reported an error as it let the file go.
    bool Release() {
        if (handle_ == Os::kInvalidFile) return true;
        return Os::CloseFile(std::exchange(handle_, Os::kInvalidFile));
    }

private:
    Os::FileHandle handle_ = Os::kInvalidFile;
};

namespace {

struct OptionFlag {
    std::uint32_t option;
    std::uint32_t platformFlag;
};

constexpr OptionFlag kOptionFlags[] = {
    {FileOptions::Encrypted, Os::kAttributeEncrypted},
    {FileOptions::DeleteOnClose, Os::kFlagDeleteOnClose},
    {FileOptions::RandomAccess, Os::kFlagRandomAccess},
    {FileOptions::SequentialScan, Os::kFlagSequentialScan},
    {FileOptions::WriteThrough, Os::kFlagWriteThrough},
};

constexpr std::uint32_t kShareBits = FileShare::Read | FileShare::Write | FileShare::Delete;
constexpr std::uint32_t kLastMode = TruncateExisting;

}  // namespace

std::uint32_t PlatformFlagsFor(std::uint32_t options) {
    options &= 0xFF;
    if (options == 0) return Os::kAttributeNormal;
    std::uint32_t flags = 0;
    for (const OptionFlag& entry : kOptionFlags) {
        if (options & entry.option) flags |= entry.platformFlag;
    }
    return flags;
}

FileStream::FileStream(const std::string& path, std::uint32_t mode, std::uint32_t access,
                       std::uint32_t share, std::uint32_t options) {
    Open(path, mode, access, share, options);
}

FileStream::~FileStream() { Close(); }

bool FileStream::Open(const std::string& path, std::uint32_t mode, std::uint32_t access,
                      std::uint32_t share, std::uint32_t options) {
    return Open(path.c_str(), mode, access, share, options);
}

bool FileStream::Open(const char* path, std::uint32_t mode, std::uint32_t access,
                      std::uint32_t share, std::uint32_t options) {
    try {
        path_.clear();
        canRead_ = canWrite_ = 0;
        Os::OpenRequest request;
        request.read = (access & FileAccess::Read) != 0;
        request.write = (access & FileAccess::Write) != 0;
        canRead_ = request.read ? 1 : 0;
        canWrite_ = request.write ? 1 : 0;
        request.shareMode = share & kShareBits;
        request.inheritable = (share & FileShare::Inheritable) != 0;
        request.flagsAndAttributes = PlatformFlagsFor(options);
        file_ = std::make_shared<Handle>();
        path_ = path ? path : "";
        mode &= 0xFF;
        Os::FileHandle handle = Os::kInvalidFile;
        if (path && mode <= kLastMode) {
            request.mode = static_cast<Os::CreateMode>(mode);
            handle = Os::OpenFile(path_, request);
        }
        if (handle == Os::kInvalidFile) {
            Close();
            return false;
        }
        file_->Set(handle);
        return true;
    } catch (const std::bad_alloc&) {
        file_.reset();
        path_.clear();
        canRead_ = canWrite_ = 0;
        return false;
    }
}

void FileStream::Close() {
    file_.reset();
    path_.clear();
    canRead_ = canWrite_ = 0;
}

bool FileStream::CloseChecked() {
    // Only the last holder of the handle closes it; another stream may still be writing.
    bool closed = file_ == nullptr || file_.use_count() > 1 || file_->Release();
    Close();
    return closed;
}

bool FileStream::CanRead() const { return file_ && canRead_ != 0; }
bool FileStream::IsOpen() const { return file_ != nullptr; }
bool FileStream::CanWrite() const { return file_ && canWrite_ != 0; }

std::int64_t FileStream::GetLength() const {
    std::int64_t size = 0;
    if (!IsOpen() || !Os::GetFileSize(file_->Get(), &size)) return 0;
    return size;
}

std::int64_t FileStream::GetPosition() const {
    std::int64_t position = -1;
    if (!IsOpen() || !Os::SetFilePointer(file_->Get(), 0, Os::SeekOrigin::Current, &position)) {
        return -1;
    }
    return position;
}

bool FileStream::Seek(std::int64_t offset, int origin) {
    if (!IsOpen() || origin < 0 || origin > 2) return false;
    return Os::SetFilePointer(file_->Get(), offset, static_cast<Os::SeekOrigin>(origin), nullptr);
}

bool FileStream::SetLength(std::int64_t length) {
    if (!Seek(length, 0)) return false;
    return Os::SetEndOfFile(file_->Get());
}

bool FileStream::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (!CanRead()) return false;
    std::uint32_t got = 0;
    bool ok = Os::ReadFile(file_->Get(), buffer, count, &got);
    if (bytesRead) {
        *bytesRead = got;
        return ok;
    }
    return ok && got == count;
}

std::int32_t FileStream::ReadByte() {
    std::uint8_t value = 0;
    std::uint32_t got = 0;
    if (!CanRead() || !Os::ReadFile(file_->Get(), &value, 1, &got) || got != 1) return -1;
    return value;
}

bool FileStream::Write(const void* buffer, std::uint32_t count, std::uint32_t* bytesWritten) {
    if (!CanWrite()) return false;
    std::uint32_t written = 0;
    bool ok = Os::WriteFile(file_->Get(), buffer, count, &written);
    if (bytesWritten) *bytesWritten = written;
    return ok;
}

bool FileStream::WriteByte(std::uint8_t value) {
    if (!CanWrite()) return false;
    std::uint32_t written = 0;
    return Os::WriteFile(file_->Get(), &value, 1, &written);
}

std::string FileStream::GetPath() const { return path_; }

bool FileStream::FlushToDisk() { return IsOpen() && Os::FlushFile(file_->Get()); }

std::intptr_t FileStream::NativeHandle() const {
    return IsOpen() ? file_->Get() : Os::kInvalidFile;
}

}  // namespace Orvane::Common
