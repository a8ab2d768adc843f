#include "author/release_payloads.h"

#include "author/host_files.h"
#include "author/refusal.h"

namespace Orvane::Author {

void ReleasePayloads::Feed(std::size_t index, const Sink& sink) const {
    StopIfAsked(stop_);
    const PayloadSource& source = plan_.sources[index];
    Os::Sha256 hash;
    ReadPieces(source.file, source.offset, source.size,
               [&](const std::uint8_t* bytes, std::size_t count) {
                   hash.Update(bytes, count);
                   sink(bytes, count);
                   progress_.Advance(count);
               });
    if (FinishDigest(hash) != source.digest) RefusePath(kReleaseChanged, source.file);
}

std::uint64_t PayloadBytes(const PatchPlan& plan) {
    std::uint64_t bytes = 0;
    for (const PayloadSource& source : plan.sources) bytes += source.size;
    return bytes;
}

}  // namespace Orvane::Author
