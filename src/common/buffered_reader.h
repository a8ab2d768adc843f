// A read-only StreamBase over a FileStream that fetches the file in large blocks, so that the
// many small reads of headers and fields cost one platform call per block instead of one each.
//
//   auto reader = std::make_shared<BufferedReader>(fileStream);
//   ArcEntry entry; entry.Read(reader);       // fields come out of the block in memory
//   reader->Seek(entry.dataSize, 1);          // skipping costs nothing until the next read
//
// It gives the same bytes and the same results as the FileStream would: a short read at the
// end is false in the exact-length form, a seek past the end succeeds, a negative position
// fails. Seeks only move the reader's own position; the file is read at the next read. After
// a long jump the next fetch is small (a few KiB); it grows while reading goes on front to
// back, so walking entries with large data in between does not read the data, and walking
// small entries reads large blocks.
// Reads that are larger than a block go straight into the caller's buffer. Writes fail.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/file_stream.h"
#include "common/read_only_stream.h"

namespace Orvane::Common {

class BufferedReader final : public ReadOnlyStream {
public:
    static constexpr std::uint32_t kDefaultBlockSize = 256 * 1024;

    // Starts at the file's current position.
    explicit BufferedReader(std::shared_ptr<FileStream> file,
                            std::uint32_t blockSize = kDefaultBlockSize);

    bool CanRead() const override;
    bool IsOpen() const override;
    std::int64_t GetLength() const override;
    std::int64_t GetPosition() const override;
    void Close() override;
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;

    // Up to `wanted` bytes at the position, straight out of the block (fetching one when none
    // is left), and the position moves past them; *available tells how many. The bytes stay
    // valid until the next call on the reader. Nothing (0) at the end or when reading fails.
    const std::uint8_t* Next(std::uint32_t wanted, std::uint32_t* available);

    // The file underneath, for the platform's own copy of a range (see CopyBytes).
    const std::shared_ptr<FileStream>& File() const { return file_; }

private:
    std::uint32_t Buffered() const;
    bool Fill(std::uint32_t wanted);
    bool ReadDirect(std::uint8_t* buffer, std::uint32_t count, std::uint32_t* got);

    std::shared_ptr<FileStream> file_;
    std::vector<std::uint8_t> block_;
    std::int64_t blockStart_ = 0;  // file offset of block_[0]
    std::uint32_t blockUsed_ = 0;  // valid bytes in block_
    std::int64_t position_ = 0;    // the reader's position
    std::uint32_t lastFetch_ = 0;  // size of the last fetch: small after a jump, then growing
};

}  // namespace Orvane::Common
