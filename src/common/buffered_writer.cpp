#include "common/buffered_writer.h"

#include <cstring>

namespace Orvane::Common {

BufferedWriter::BufferedWriter(std::shared_ptr<FileStream> file, std::uint32_t blockSize)
    : file_(std::move(file)), blockSize_(blockSize == 0 ? 1 : blockSize) {}

BufferedWriter::~BufferedWriter() { Flush(); }

bool BufferedWriter::WriteToFile(const std::uint8_t* data, std::uint32_t count) {
    std::uint32_t written = 0;
    if (failed_ || !file_->Write(data, count, &written) || written != count) failed_ = true;
    return !failed_;
}

bool BufferedWriter::Flush() {
    if (failed_) return false;
    if (used_ == 0) return true;
    std::uint32_t count = used_;
    used_ = 0;
    return WriteToFile(block_.get(), count);
}

bool BufferedWriter::IsOpen() const { return file_->IsOpen(); }
bool BufferedWriter::CanWrite() const { return file_->CanWrite(); }

std::int64_t BufferedWriter::GetLength() const {
    std::int64_t length = file_->GetLength();
    std::int64_t end = GetPosition();
    return IsOpen() && end > length ? end : length;
}

std::int64_t BufferedWriter::GetPosition() const {
    std::int64_t position = file_->GetPosition();
    return position < 0 ? position : position + used_;
}

bool BufferedWriter::SetLength(std::int64_t length) { return Flush() && file_->SetLength(length); }

void BufferedWriter::Close() {
    Flush();
    file_->Close();
}

bool BufferedWriter::CloseChecked() {
    bool flushed = Flush();
    return file_->CloseChecked() && flushed;
}

bool BufferedWriter::Seek(std::int64_t offset, int origin) {
    return Flush() && file_->Seek(offset, origin);
}

bool BufferedWriter::Read(void*, std::uint32_t, std::uint32_t* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    return false;
}

bool BufferedWriter::Write(const void* buffer, std::uint32_t count, std::uint32_t* bytesWritten) {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    if (!CanWrite() || failed_) return false;
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    if (count > blockSize_ - used_ && !Flush()) return false;
    if (count >= blockSize_) {
        if (!WriteToFile(data, count)) return false;
    } else {
        // Made at the first write that is kept, and not cleared: a writer of one small file
        // touches only the pages it fills.
        if (!block_) block_ = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize_);
        std::memcpy(block_.get() + used_, data, count);
        used_ += count;
    }
    if (bytesWritten != nullptr) *bytesWritten = count;
    return true;
}

bool BufferedWriter::WriteByte(std::uint8_t value) { return Write(&value, 1); }

}  // namespace Orvane::Common
