#include "common/byte_copy.h"

#include <algorithm>
#include <vector>

#include "platform/os.h"

namespace Orvane::Common {
namespace {

// Below this the kernel copy costs more in calls than it saves in copying.
constexpr std::uint64_t kKernelCopyFrom = 64 * 1024;
constexpr std::uint32_t kLargestPiece = 1u << 30;
constexpr std::uint64_t kBufferSize = 256 * 1024;

// Copies what the kernel will; count keeps what is left. False only when a file failed.
bool CopyInKernel(BufferedReader& from, BufferedWriter& to, std::uint64_t& count) {
    if (count < kKernelCopyFrom) return true;
    if (!to.Flush()) return false;
    std::uint64_t copied = 0;
    Os::RangeCopy result =
        Os::CopyFileRange(from.File()->NativeHandle(), from.GetPosition(),
                          to.File()->NativeHandle(), count, &copied);
    from.Seek(static_cast<std::int64_t>(copied), 1);
    count -= copied;
    if (result == Os::RangeCopy::WriteFailed) to.NoteFailedWrite();  // a full disk is the writer's
    return result != Os::RangeCopy::Failed && result != Os::RangeCopy::WriteFailed;
}

bool CopyThroughMemory(BufferedReader& from, BufferedWriter& to, std::uint64_t count) {
    while (count > 0) {
        std::uint32_t available = 0;
        auto wanted = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, kLargestPiece));
        const std::uint8_t* data = from.Next(wanted, &available);
        if (available == 0 || !to.Write(data, available)) return false;
        count -= available;
    }
    return true;
}

bool CopyThroughBuffer(StreamBase& from, BufferedWriter& to, std::uint64_t count) {
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(count, kBufferSize));
    while (count > 0) {
        auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, buffer.size()));
        if (!from.Read(buffer.data(), piece) || !to.Write(buffer.data(), piece)) return false;
        count -= piece;
    }
    return true;
}

}  // namespace

bool CopyBytes(StreamBase& from, BufferedWriter& to, std::uint64_t count) {
    if (auto* reader = dynamic_cast<BufferedReader*>(&from)) {
        return CopyInKernel(*reader, to, count) && CopyThroughMemory(*reader, to, count);
    }
    return CopyThroughBuffer(from, to, count);
}

}  // namespace Orvane::Common
