// The payloads of a plan, read from the release files where the plan found them when a writer
// asks for them, a piece at a time: no payload is ever held whole. Each one's digest is taken
// as it passes and compared with the plan's, so a release that changed after it was compared
// fails the diff (kReleaseChanged) instead of shipping other bytes than were checked.
#pragma once

#include "author/diff_progress.h"
#include "author/interruption.h"
#include "author/patch_plan.h"
#include "patch/payload_feed.h"

namespace Orvane::Author {

inline constexpr char kReleaseChanged[] = "a release changed while it was being compared";

class ReleasePayloads : public PayloadFeed {
public:
    ReleasePayloads(const PatchPlan& plan, StopPoll stop, DiffProgress& progress = Unwatched())
        : plan_(plan), stop_(std::move(stop)), progress_(progress) {}

    std::uint64_t SizeOf(std::size_t index) const override { return plan_.sources[index].size; }
    // Raises host_files.h's texts, kReleaseChanged and kInterrupted.
    void Feed(std::size_t index, const Sink& sink) const override;

private:
    const PatchPlan& plan_;
    StopPoll stop_;
    DiffProgress& progress_;  // told of every piece fed
};

// The bytes of every payload of the plan.
std::uint64_t PayloadBytes(const PatchPlan& plan);

}  // namespace Orvane::Author
