// Sends a file's newly written data to the disk in the background while writing goes on.
//
// A file written front to back and flushed at the end (a temporary archive, a copy's
// temporary file) otherwise has all its data still in memory when the flush starts, and the
// flush then waits for the whole file. Starting the write-out every few MiB lets the disk work
// while the next MiB are copied, so the final flush waits only for the last stretch. It is a
// hint: a failure here is not reported, the final flush reports what the disk did.
#pragma once

#include <cstdint>

namespace Orvane::Os::Posix {

class WriteBehind {
public:
    // The write-out starts each time this much more has been written.
    static constexpr std::uint64_t kStep = 8u << 20;

    // Counts `bytes` just written through `descriptor`, starting the write-out of what it
    // holds up to its position once a step is full.
    void Written(int descriptor, std::uint64_t bytes);

private:
    std::uint64_t pending_ = 0;
};

}  // namespace Orvane::Os::Posix
