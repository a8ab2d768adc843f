// A write-only StreamBase over a FileStream that gathers small writes into one block and hands
// the file one platform call per block, so that writing an archive entry header field by field
// costs nothing until the block is full.
//
//   auto writer = std::make_shared<BufferedWriter>(fileStream);
//   BinaryWriter(writer).Write(std::uint32_t{0});   // lands in the block
//   if (!writer->Flush()) { ... the file did not take everything ... }
//
// A write that does not fit flushes the block first; a write as large as a block goes to the
// file directly. The first failure of the file is kept: that write and every later one report
// false, and so does Flush, so a failed write is never reported as done. Whatever is still in
// the block when the writer goes is flushed then, without a report: call Flush to know.
#pragma once

#include <cstdint>
#include <memory>

#include "common/file_stream.h"

namespace Orvane::Common {

class BufferedWriter final : public StreamBase {
public:
    static constexpr std::uint32_t kDefaultBlockSize = 256 * 1024;

    explicit BufferedWriter(std::shared_ptr<FileStream> file,
                            std::uint32_t blockSize = kDefaultBlockSize);
    ~BufferedWriter() override;

    BufferedWriter(const BufferedWriter&) = delete;
    BufferedWriter& operator=(const BufferedWriter&) = delete;

    // Hands the block to the file; false when the file failed now or before.
    bool Flush();
    // Flushes, then closes the file, telling whether both went without an error: a file
    // system that writes data out at close (NFS, FUSE) reports a failed write only then.
    bool CloseChecked();
    // Takes note that bytes put into the file past the writer (the platform's own copy of a
    // range) did not all arrive: every later write and Flush fail as after a failed write.
    void NoteFailedWrite() { failed_ = true; }

    bool CanRead() const override { return false; }
    bool IsOpen() const override;
    bool CanWrite() const override;
    std::int64_t GetLength() const override;
    std::int64_t GetPosition() const override;
    bool SetLength(std::int64_t length) override;
    // Flushes (see Flush for the result), then closes the file.
    void Close() override;
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void*, std::uint32_t, std::uint32_t* bytesRead = nullptr) override;
    std::int32_t ReadByte() override { return -1; }
    bool Write(const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten = nullptr) override;
    bool WriteByte(std::uint8_t value) override;

    // The file underneath, for the platform's own copy of a range (see CopyBytes).
    const std::shared_ptr<FileStream>& File() const { return file_; }

private:
    bool WriteToFile(const std::uint8_t* data, std::uint32_t count);

    std::shared_ptr<FileStream> file_;
    std::unique_ptr<std::uint8_t[]> block_;
    std::uint32_t blockSize_;
    std::uint32_t used_ = 0;
    bool failed_ = false;
};

}  // namespace Orvane::Common
