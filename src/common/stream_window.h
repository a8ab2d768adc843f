// A read-only stream over a range of another stream: position 0 is the range's first byte and
// the range's end is the stream's end. It lets a reader that walks a whole file walk a file
// stored inside another one (a payload inside the patch file) where it lies, without copying it.
//
//   auto archive = std::make_shared<StreamWindow>(patchFile, payload.dataOffset, payload.dataSize);
//   ReadArchiveListing(archive, listing);   // sees only the payload's bytes
//
// Each read seeks the stream underneath first, so other users of that stream may move it in
// between. Reads stop at the range's end as a file's reads stop at its end; a seek past the end
// succeeds, a negative position fails. Close lets go of the stream underneath without closing
// it. Writes fail.
#pragma once

#include <cstdint>
#include <memory>

#include "common/read_only_stream.h"

namespace Orvane::Common {

class StreamWindow final : public ReadOnlyStream {
public:
    // The range [start, start + length) of base; start and length are not negative.
    StreamWindow(std::shared_ptr<StreamBase> base, std::int64_t start, std::int64_t length);

    bool CanRead() const override;
    bool IsOpen() const override;
    std::int64_t GetLength() const override;
    std::int64_t GetPosition() const override;
    void Close() override { base_.reset(); }
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;

private:
    std::shared_ptr<StreamBase> base_;
    std::int64_t start_;
    std::int64_t length_;
    std::int64_t position_ = 0;  // may lie past the end, as a file's may
};

}  // namespace Orvane::Common
