#include "platform/posix/write_behind.h"

#include <fcntl.h>
#include <unistd.h>

namespace Orvane::Os::Posix {

// The range runs from the start of the file: pages already clean or on their way to the disk
// cost nothing, and data written before a seek is not missed.
void WriteBehind::Written(int descriptor, std::uint64_t bytes) {
    pending_ += bytes;
    if (pending_ < kStep) return;
    pending_ = 0;
    off_t position = ::lseek(descriptor, 0, SEEK_CUR);
    if (position > 0) ::sync_file_range(descriptor, 0, position, SYNC_FILE_RANGE_WRITE);
}

}  // namespace Orvane::Os::Posix
