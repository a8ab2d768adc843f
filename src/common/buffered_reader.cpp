#include "common/buffered_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Orvane::Common {
namespace {

// The first fetch after a jump: enough for a few entry headers, little of the data between.
constexpr std::uint32_t kFirstFetch = 4 * 1024;

}  // namespace

BufferedReader::BufferedReader(std::shared_ptr<FileStream> file, std::uint32_t blockSize)
    : file_(std::move(file)),
      block_(std::max(blockSize, kFirstFetch)) {
    position_ = file_->GetPosition();
    blockStart_ = position_;
}

bool BufferedReader::CanRead() const { return file_->CanRead(); }
bool BufferedReader::IsOpen() const { return file_->IsOpen(); }
std::int64_t BufferedReader::GetLength() const { return file_->GetLength(); }
std::int64_t BufferedReader::GetPosition() const { return IsOpen() ? position_ : -1; }

void BufferedReader::Close() {
    file_->Close();
    blockUsed_ = 0;
}

bool BufferedReader::Seek(std::int64_t offset, int origin) {
    if (!IsOpen()) return false;
    std::int64_t base = 0;
    switch (origin) {
        case kFromBeginning: base = 0; break;
        case kFromCurrent: base = position_; break;
        case kFromEnd: base = GetLength(); break;
        default: return false;
    }
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) ||
        base + offset < 0) {
        return false;
    }
    position_ = base + offset;
    return true;
}

std::uint32_t BufferedReader::Buffered() const {
    std::int64_t end = blockStart_ + blockUsed_;
    if (position_ < blockStart_ || position_ >= end) return 0;
    return static_cast<std::uint32_t>(end - position_);
}

// Fetches the block at the reader's position. Reading that goes on at or a little past the end
// of the last block (less than that block's size further on) counts as front to back and
// fetches twice as much each time, up to the block size; a longer jump starts small again, so
// skipping large runs of data does not read them. False when the file cannot be read.
bool BufferedReader::Fill(std::uint32_t wanted) {
    const auto capacity = static_cast<std::uint32_t>(block_.size());
    std::int64_t blockEnd = blockStart_ + blockUsed_;
    bool onward = position_ >= blockEnd && position_ - blockEnd <= lastFetch_;
    std::uint32_t size = onward ? std::max(kFirstFetch, lastFetch_ * 2) : kFirstFetch;
    size = std::min(capacity, std::max(size, wanted));
    lastFetch_ = size;
    blockStart_ = position_;
    blockUsed_ = 0;
    std::uint32_t got = 0;
    if (!file_->Seek(position_, kFromBeginning) || !file_->Read(block_.data(), size, &got)) {
        return false;
    }
    blockUsed_ = got;
    return true;
}

bool BufferedReader::ReadDirect(std::uint8_t* buffer, std::uint32_t count, std::uint32_t* got) {
    *got = 0;
    if (!file_->Seek(position_, kFromBeginning) || !file_->Read(buffer, count, got)) return false;
    position_ += *got;
    return true;
}

bool BufferedReader::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (!CanRead()) return false;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t done = 0;
    bool ok = true;
    while (done < count && ok) {
        std::uint32_t available = Buffered();
        if (available == 0) {
            std::uint32_t rest = count - done;
            if (rest >= block_.size()) {
                std::uint32_t got = 0;
                ok = ReadDirect(out + done, rest, &got);
                done += got;
                break;
            }
            ok = Fill(rest);
            available = Buffered();
            if (available == 0) break;  // the end of the file
        }
        std::uint32_t take = std::min(available, count - done);
        std::memcpy(out + done, block_.data() + (position_ - blockStart_), take);
        position_ += take;
        done += take;
    }
    if (bytesRead != nullptr) {
        *bytesRead = done;
        return ok;
    }
    return ok && done == count;
}

const std::uint8_t* BufferedReader::Next(std::uint32_t wanted, std::uint32_t* available) {
    *available = 0;
    if (!CanRead() || wanted == 0) return nullptr;
    if (Buffered() == 0 && !Fill(wanted)) return nullptr;
    std::uint32_t count = std::min(Buffered(), wanted);
    if (count == 0) return nullptr;
    const std::uint8_t* data = block_.data() + (position_ - blockStart_);
    position_ += count;
    *available = count;
    return data;
}

}  // namespace Orvane::Common
