#include "common/stream_window.h"

#include <algorithm>
#include <limits>

namespace Orvane::Common {

StreamWindow::StreamWindow(std::shared_ptr<StreamBase> base, std::int64_t start,
                           std::int64_t length)
    : base_(std::move(base)), start_(start), length_(length) {}

bool StreamWindow::CanRead() const { return base_ && base_->CanRead(); }

bool StreamWindow::IsOpen() const { return base_ && base_->IsOpen(); }

std::int64_t StreamWindow::GetLength() const { return base_ ? length_ : 0; }

std::int64_t StreamWindow::GetPosition() const { return base_ ? position_ : -1; }

bool StreamWindow::Seek(std::int64_t offset, int origin) {
    std::int64_t from = 0;
    if (origin == kFromCurrent) from = position_;
    else if (origin == kFromEnd) from = length_;
    else if (origin != kFromBeginning) return false;
    // Positions stay far enough below the largest value that start_ + position_ cannot wrap.
    const std::int64_t most = std::numeric_limits<std::int64_t>::max() - start_;
    if (!base_ || offset < -from || offset > most - from) return false;
    position_ = from + offset;
    return true;
}

bool StreamWindow::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (!base_) return false;
    std::int64_t left = std::max<std::int64_t>(0, length_ - position_);
    auto wanted = static_cast<std::uint32_t>(std::min<std::int64_t>(count, left));
    std::uint32_t got = 0;
    if (wanted > 0) {
        if (!base_->Seek(start_ + position_, kFromBeginning)) return false;
        if (!base_->Read(buffer, wanted, &got)) return false;
    }
    position_ += got;
    if (bytesRead != nullptr) *bytesRead = got;
    return bytesRead != nullptr || got == count;
}

}  // namespace Orvane::Common
