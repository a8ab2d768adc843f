#include "cli/views/plan_json.h"

#include <nlohmann/json.hpp>

#include "cli/views/plan_text.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kIndent = 2;

Json TextOrNull(const std::string& ansi) {
    return ansi.empty() ? Json(nullptr) : Json(Common::Utf8FromAnsi(ansi));
}

template <typename Value>
void AddKnown(Json& object, const char* key, const std::optional<Value>& value) {
    if (value) object[key] = *value;
}

Json RecordObject(const PlannedRecord& record) {
    Json object = {{"index", record.index},
                   {"type", RecordTypeName(record.type)},
                   {"path", Common::Utf8FromAnsi(record.path)},
                   {"action", ActionName(record.action)},
                   {"failure", TextOrNull(record.failure)}};
    AddKnown(object, "from", record.fromRevision);
    AddKnown(object, "to", record.toRevision);
    AddKnown(object, "removed", record.removed);
    AddKnown(object, "added", record.added);
    return object;
}

}  // namespace

std::string PlanJson(const RunPlan& plan, const PlanSpace& space) {
    Json records = Json::array();
    for (const PlannedRecord& record : plan.records) records.push_back(RecordObject(record));
    Json document = {{"completes", plan.Completes()},
                     {"failure", TextOrNull(plan.failure)},
                     {"spaceNeeded", space.needed},
                     {"spaceFree", space.free ? Json(*space.free) : Json(nullptr)},
                     {"spaceFits", space.Fits()},
                     {"records", std::move(records)}};
    return document.dump(kIndent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace Orvane::Cli
