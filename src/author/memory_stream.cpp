#include "author/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace Orvane::Author {

bool MemoryStream::SetLength(std::int64_t length) {
    if (length < 0) return false;
    bytes_.resize(static_cast<std::size_t>(length));
    position_ = length;
    return true;
}

bool MemoryStream::Seek(std::int64_t offset, int origin) {
    std::int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : GetLength();
    if (base + offset < 0) return false;
    position_ = base + offset;
    return true;
}

bool MemoryStream::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    std::int64_t left = std::max<std::int64_t>(0, GetLength() - position_);
    auto got = static_cast<std::uint32_t>(std::min<std::int64_t>(left, count));
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
    auto end = static_cast<std::size_t>(position_) + count;
    if (end > bytes_.size()) bytes_.resize(end);
    if (count > 0) std::memcpy(bytes_.data() + position_, buffer, count);
    position_ = static_cast<std::int64_t>(end);
    if (bytesWritten != nullptr) *bytesWritten = count;
    return true;
}

}  // namespace Orvane::Author
