#include "author/plan_builder.h"

#include "common/failure.h"

namespace Orvane::Author {
namespace {

constexpr std::size_t kMaxPayloads = 65535;
constexpr char kTooManyPayloads[] = "more than the 65535 payloads a patch can hold";

}  // namespace

std::uint16_t PlanBuilder::Payload(const PayloadDescription& payload, const PayloadSource& source) {
    PayloadKey key{payload.kind,     payload.name, payload.created,
                   payload.modified, source.size,  source.digest};
    auto found = payloadIndex_.find(key);
    if (found != payloadIndex_.end()) return found->second;
    if (plan_.payloads.size() == kMaxPayloads) throw MessageFailure(kTooManyPayloads);
    auto index = static_cast<std::uint16_t>(plan_.payloads.size());
    plan_.payloads.push_back(payload);
    plan_.sources.push_back(source);
    payloadIndex_.emplace(key, index);
    return index;
}

void PlanBuilder::MakeWay(DeleteRecord record) {
    plan_.wayMade.push_back(record.path);
    wayMakers_.push_back(std::move(record));
}

void PlanBuilder::Archive(ArchiveRecord record, PlannedArchive summary) {
    archives_.push_back(std::move(record));
    plan_.archives.push_back(std::move(summary));
}

PatchPlan PlanBuilder::Finish() {
    plan_.records.assign(wayMakers_.begin(), wayMakers_.end());
    plan_.records.insert(plan_.records.end(), archives_.begin(), archives_.end());
    plan_.records.insert(plan_.records.end(), copies_.begin(), copies_.end());
    plan_.records.insert(plan_.records.end(), deletes_.begin(), deletes_.end());
    return std::move(plan_);
}

}  // namespace Orvane::Author
