#include "common/buffered_writer.h"

#include <cstring>

namespace Orvane::Common {

BufferedWriter::BufferedWriter(std::shared_ptr<FileStream> file, std::uint32_t blockSize)
    : file_(std::move(file)), block_(blockSize == 0 ? 1 : blockSize) {}

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
    return WriteToFile(block_.data(), count);
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
    if (count > block_.size() - used_ && !Flush()) return false;
    if (count >= block_.size()) {
        if (!WriteToFile(data, count)) return false;
    } else {
        std::memcpy(block_.data() + used_, data, count);
        used_ += count;
    }
    if (bytesWritten != nullptr) *bytesWritten = count;
    return true;
}

bool BufferedWriter::WriteByte(std::uint8_t value) { return Write(&value, 1); }

}  // namespace Orvane::Common
