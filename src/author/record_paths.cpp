#include "author/record_paths.h"

#include <variant>

#include "common/ansi_path.h"

namespace Orvane::Author {
namespace {

RecordPath PathOf(const PatchPlan& plan, const ScriptRecord& record) {
    if (const auto* copy = std::get_if<CopyRecord>(&record)) {
        std::string folder =
            copy->folder.empty() ? copy->folder : Common::WithTrailingBackslash(copy->folder);
        return {folder + plan.payloads[copy->payloadIndex].name, folder, true, true};
    }
    if (const auto* deletion = std::get_if<DeleteRecord>(&record)) return {deletion->path};
    return {std::get<ArchiveRecord>(record).path, "", true, true};
}

}  // namespace

std::vector<RecordPath> RecordPaths(const PatchPlan& plan) {
    std::vector<RecordPath> paths;
    for (const ScriptRecord& record : plan.records) paths.push_back(PathOf(plan, record));
    return paths;
}

}  // namespace Orvane::Author
