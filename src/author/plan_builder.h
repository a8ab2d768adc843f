// Collects a patch plan: records by kind (deletes that make way for a folder, archive updates,
// copies, then the other deletes, each in the order given) and payloads, one per distinct
// name, kind, stamps and contents.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "author/patch_plan.h"

namespace Orvane::Author {

class PlanBuilder {
public:
    // The index of a payload with these fields and bytes, added when there is none yet.
    std::uint16_t Payload(const PayloadDescription& payload, const PayloadSource& source);

    void Archive(ArchiveRecord record, PlannedArchive summary);
    void ShippedWhole(PlannedArchive summary) { plan_.archives.push_back(std::move(summary)); }
    void Copy(CopyRecord record) { copies_.push_back(std::move(record)); }
    void Delete(DeleteRecord record) { deletes_.push_back(std::move(record)); }
    // A delete of a file where a copy will make a folder of the same name.
    void MakeWay(DeleteRecord record);
    void Skipped(SkippedCopy skipped) { plan_.skipped.push_back(std::move(skipped)); }
    void Note(const std::string& note) { plan_.notes.push_back(note); }

    PatchPlan Finish();

private:
    using PayloadKey =
        std::tuple<std::uint16_t, std::string, TimeStamp, TimeStamp, std::uint32_t, Digest>;

    PatchPlan plan_;
    std::vector<DeleteRecord> wayMakers_;
    std::vector<ScriptRecord> archives_;
    std::vector<CopyRecord> copies_;
    std::vector<DeleteRecord> deletes_;
    std::map<PayloadKey, std::uint16_t> payloadIndex_;
};

}  // namespace Orvane::Author
