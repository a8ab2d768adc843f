#include "app/copy_group.h"

#include <utility>

#include "platform/os.h"

namespace Orvane {
namespace {

// Enough to make the flush rare, small enough that a Cancel or a failure finds little written
// and that one flush never waits long.
constexpr std::size_t kMaxCopies = 1024;
constexpr std::uint64_t kMaxBytes = 64ull << 20;

// The destination as the platform compares names: two spellings of one file meet.
std::u16string DestinationKey(const CopyParams& params) {
    return Os::FoldNameCase(params.GetFullPath());
}

std::uint64_t SizeOfPayload(const CopyParams& params) {
    return params.file ? params.file->dataSize : 0;
}

}  // namespace

CopyGroup::CopyGroup() : enabled_(Os::CanFlushFileSystems()) {}

bool CopyGroup::Takes(const CopyParams& params) const {
    if (!enabled_ || pending_.size() >= kMaxCopies) return false;
    if (!pending_.empty() && bytes_ + SizeOfPayload(params) > kMaxBytes) return false;
    return !destinations_.contains(DestinationKey(params));
}

void CopyGroup::Add(std::shared_ptr<ICmdParams> command, std::size_t index,
                    PreparedCopy prepared) {
    const auto& params = static_cast<const CopyParams&>(*command);
    destinations_.insert(DestinationKey(params));
    bytes_ += SizeOfPayload(params);
    pending_.push_back({std::move(command), index, std::move(prepared)});
}

std::vector<std::string> CopyGroup::WrittenFiles() const {
    std::vector<std::string> files;
    for (const PendingCopy& copy : pending_) {
        if (copy.prepared.temp) files.push_back(copy.prepared.temp->Path());
    }
    return files;
}

std::vector<PendingCopy> CopyGroup::Take() {
    destinations_.clear();
    bytes_ = 0;
    return std::exchange(pending_, {});
}

}  // namespace Orvane
