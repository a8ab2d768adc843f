#include "common/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace Orvane::Common {

std::int64_t MemoryStream::GetLength() const {
    return open_ ? static_cast<std::int64_t>(bytes_.size()) : 0;
}

std::int64_t MemoryStream::GetPosition() const {
    return open_ ? static_cast<std::int64_t>(position_) : -1;
}

bool MemoryStream::SetLength(std::int64_t length) {
    if (!open_ || length < 0) return false;
    bytes_.resize(static_cast<std::size_t>(length));
    position_ = static_cast<std::uint64_t>(length);
    return true;
}

bool MemoryStream::Seek(std::int64_t offset, int origin) {
    std::int64_t base = 0;
    if (origin == kFromCurrent) base = static_cast<std::int64_t>(position_);
    else if (origin == kFromEnd) base = static_cast<std::int64_t>(bytes_.size());
    else if (origin != kFromBeginning) return false;
    std::int64_t target = base + offset;
    if (!open_ || target < 0) return false;
    position_ = static_cast<std::uint64_t>(target);
    return true;
}

bool MemoryStream::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (!open_) return false;
    std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    auto got = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, available));
    if (got > 0) std::memcpy(buffer, bytes_.data() + position_, got);
    position_ += got;
    if (bytesRead != nullptr) *bytesRead = got;
    return bytesRead != nullptr || got == count;
}

std::int32_t MemoryStream::ReadByte() {
    std::uint8_t value = 0;
    return Read(&value, 1) ? value : -1;
}

bool MemoryStream::Write(const void* buffer, std::uint32_t count, std::uint32_t* bytesWritten) {
    if (!open_) return false;
    std::uint64_t end = position_ + count;
    if (end > bytes_.size()) bytes_.resize(static_cast<std::size_t>(end));
    if (count > 0) std::memcpy(bytes_.data() + position_, buffer, count);
    position_ = end;
    if (bytesWritten != nullptr) *bytesWritten = count;
    return true;
}

bool MemoryStream::WriteByte(std::uint8_t value) { return Write(&value, 1); }

}  // namespace Orvane::Common
