#include "cli/manifest/manifest_record_paths.h"

#include <string>

#include "author/record_path.h"
#include "cli/manifest/manifest_table.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kRecordNumber[] = "record ";

std::string NamedPath(const ScriptRecord& record, const std::vector<PayloadDescription>& payloads) {
    if (const auto* copy = std::get_if<CopyRecord>(&record)) {
        return copy->folder + payloads.at(copy->payloadIndex).name;
    }
    if (const auto* removal = std::get_if<DeleteRecord>(&record)) return removal->path;
    return std::get<ArchiveRecord>(record).path;
}

}  // namespace

void RequireRecordPath(const ScriptRecord& record, std::size_t number, std::uint32_t line,
                       const std::vector<PayloadDescription>& payloads) {
    std::string path = NamedPath(record, payloads);
    if (const char* fault = Author::RecordPathFault(path)) {
        throw ManifestError(line, kRecordNumber + std::to_string(number) + ": " + fault + ": " +
                                      Common::Utf8FromAnsi(path));
    }
}

}  // namespace Orvane::Cli
