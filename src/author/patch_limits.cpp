#include "author/patch_limits.h"

#include <algorithm>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "common/failure.h"
#include "patch/container_encoding.h"
#include "patch/container_format.h"
#include "patch/container_writer.h"

namespace Orvane::Author {
namespace {

constexpr std::size_t kMostPayloads = 0xFFFF;
constexpr std::size_t kContributorsNamed = 3;
constexpr char kRootFolder[] = "(the installation folder)";
constexpr char kPayloadsIn[] = " payloads, ";
constexpr char kBytes[] = " bytes";
constexpr char kInAll[] = " bytes in all";
constexpr char kMostFrom[] = "; the most from ";

struct Contribution {
    std::string where;  // code page 932: a copy's folder or an archive's path
    std::size_t payloads = 0;
    std::uint64_t bytes = 0;
};

std::vector<Contribution> Contributions(const PatchPlan& plan) {
    std::map<std::string, Contribution> byPlace;
    auto add = [&](const std::string& where, std::uint16_t index) {
        Contribution& contribution = byPlace[where];
        contribution.where = where.empty() ? kRootFolder : where;
        ++contribution.payloads;
        contribution.bytes += plan.sources[index].size;
    };
    for (const ScriptRecord& record : plan.records) {
        if (const auto* copy = std::get_if<CopyRecord>(&record)) {
            add(copy->folder, copy->payloadIndex);
        } else if (const auto* archive = std::get_if<ArchiveRecord>(&record)) {
            for (const ArchiveAddition& addition : archive->additions) {
                add(archive->path, addition.payloadIndex);
            }
        }
    }
    std::vector<Contribution> contributions;
    for (auto& [where, contribution] : byPlace) contributions.push_back(contribution);
    return contributions;
}

// "; the most from A (N payloads, B bytes), ..." ordered by the given measure.
template <typename Measure>
std::string Largest(const PatchPlan& plan, Measure measure) {
    std::vector<Contribution> contributions = Contributions(plan);
    std::size_t named = std::min(kContributorsNamed, contributions.size());
    std::partial_sort(contributions.begin(), contributions.begin() + named, contributions.end(),
                      [&](const Contribution& a, const Contribution& b) {
                          return measure(a) > measure(b);
                      });
    std::string text;
    for (std::size_t i = 0; i < named; ++i) {
        const Contribution& c = contributions[i];
        text += (i == 0 ? kMostFrom : ", ") + c.where + " (" + std::to_string(c.payloads) +
                kPayloadsIn + std::to_string(c.bytes) + kBytes + ")";
    }
    return text;
}

std::uint64_t ContainerSize(const ContainerDescription& description, const PatchPlan& plan) {
    std::size_t count = description.payloads.size();
    std::uint64_t size = EncodeHeader(description).size() +
                         EncodeScriptSection(description.records, count).size() +
                         EncodeTableHead(count).size();
    for (std::size_t i = 0; i < count; ++i) {
        size += EncodePayloadHead(description.payloads[i], plan.sources[i].size).size() +
                plan.sources[i].size;
    }
    return size;
}

}  // namespace

void RequireContainerRoom(const ContainerDescription& description, const PatchPlan& plan,
                          std::uint64_t start) {
    std::size_t count = plan.payloads.size();
    if (count > kMostPayloads) {
        throw MessageFailure(kTooManyEntries + (": " + std::to_string(count)) + " payloads" +
                             Largest(plan, [](const Contribution& c) { return c.payloads; }));
    }
    std::uint64_t end = start + ContainerSize(description, plan);
    if (end > kMaxContainerEnd) {
        throw MessageFailure(kContainerTooLarge + (": " + std::to_string(end)) + kInAll +
                             Largest(plan, [](const Contribution& c) { return c.bytes; }));
    }
}

}  // namespace Orvane::Author
