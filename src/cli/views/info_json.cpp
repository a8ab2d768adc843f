#include "cli/views/info_json.h"

#include <nlohmann/json.hpp>

#include "cli/views/info_text.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kIndent = 2;

std::string Utf8(const std::string& ansi) { return Common::Utf8FromAnsi(ansi); }

// A stored year may have five digits, so the date ends at the space, not at a fixed column.
std::string IsoStamp(const TimeStamp& stamp) {
    std::string text = FormatTimeStamp(stamp);
    text[text.find(' ')] = 'T';
    return text;
}

// "loadable", and "problem" when the patch program cannot load the payload.
void AddLoadability(Json& payload, PayloadProblem problem) {
    payload["loadable"] = problem == PayloadProblem::None;
    if (problem != PayloadProblem::None) payload["problem"] = PayloadProblemText(problem);
}

Json ContainerObject(const ContainerReading& reading) {
    const PatchHeader& header = reading.start.header;
    Json container = {{"offset", reading.start.containerOffset},
                      {"scriptOffset", header.scriptOffset},
                      {"version", header.version},
                      {"title", Utf8(header.title)}};
    if (header.version == 1) container["reserved"] = header.reserved;
    container["registryKey"] = Utf8(header.registryKey);
    return container;
}

Json PayloadArray(const ContainerReading& reading) {
    Json payloads = Json::array();
    for (std::size_t i = 0; i < reading.description.payloads.size(); ++i) {
        const PayloadDescription& p = reading.description.payloads[i];
        Json payload = {{"index", i}, {"kind", p.kind}, {"name", Utf8(p.name)},
                        {"created", IsoStamp(p.created)}, {"modified", IsoStamp(p.modified)},
                        {"size", reading.payloadSizes[i]}};
        AddLoadability(payload, reading.payloadProblems[i]);
        payloads.push_back(std::move(payload));
    }
    return payloads;
}

Json RecordObject(const CopyRecord& r) {
    return {{"type", "copy"}, {"folder", Utf8(r.folder)}, {"payload", r.payloadIndex}};
}

Json RecordObject(const DeleteRecord& r) { return {{"type", "delete"}, {"path", Utf8(r.path)}}; }

Json RecordObject(const ArchiveRecord& r) {
    Json removals = Json::array();
    for (const ArchiveRemoval& removal : r.removals) {
        removals.push_back({{"name", Utf8(removal.name)}, {"revision", removal.revision}});
    }
    Json additions = Json::array();
    for (const ArchiveAddition& addition : r.additions) {
        additions.push_back({{"payload", addition.payloadIndex}, {"reserved", addition.reserved}});
    }
    return {{"type", "archive"}, {"path", Utf8(r.path)}, {"revision", r.revision},
            {"removals", removals}, {"additions", additions}};
}

Json RecordArray(const ContainerDescription& description) {
    Json records = Json::array();
    for (const ScriptRecord& record : description.records) {
        records.push_back(std::visit([](const auto& r) { return RecordObject(r); }, record));
    }
    return records;
}

}  // namespace

Json SignatureObject(const SignatureInfo& signature) {
    Json object = {{"signed", signature.isSigned},
                   {"trailingBytes", signature.trailing.unexplained}};
    if (!signature.isSigned) return object;
    object["subject"] = signature.subject;
    object["digestMatches"] = signature.digestMatches ? Json(*signature.digestMatches) : Json();
    if (!signature.problem.empty()) object["problem"] = signature.problem;
    return object;
}

std::string ContainerJson(const ContainerReading& reading, const SignatureInfo& signature) {
    Json document = Json::object();
    ReadingStop stop = reading.stoppedAt;
    if (stop != ReadingStop::Start) document["container"] = ContainerObject(reading);
    if (stop != ReadingStop::Start && stop != ReadingStop::Script) {
        document["payloads"] = PayloadArray(reading);
    }
    if (stop == ReadingStop::None || stop == ReadingStop::Record) {
        document["records"] = RecordArray(reading.description);
    }
    document["signature"] = SignatureObject(signature);
    if (!reading.failureText.empty()) document["error"] = Utf8(reading.failureText);
    return document.dump(kIndent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace Orvane::Cli
