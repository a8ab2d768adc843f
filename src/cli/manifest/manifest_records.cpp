#include "cli/manifest/manifest_records.h"

#include <limits>

#include "cli/manifest/manifest_record_paths.h"
#include "cli/manifest/manifest_table.h"
#include "common/ansi_path.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

using PayloadIds = std::map<std::string, std::uint16_t>;

constexpr char kRecord[] = "record";
constexpr char kRemoval[] = "removal";
constexpr char kNotTable[] = "must be a table";
constexpr char kUnknownType[] = "'type' must be \"copy\", \"delete\" or \"archive\"";
constexpr char kUnknownPayload[] = "no payload has the id ";
constexpr char kAdditionNotText[] = "an addition must be the id of a payload";
constexpr std::int64_t kU16Max = std::numeric_limits<std::uint16_t>::max();

// Paths in the manifest may use '/'; the container uses backslashes. 0x2F is never part of a
// double-byte character in code page 932, so the bytes can be replaced one by one.
std::string ContainerPath(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::uint16_t PayloadIndex(const std::string& id, std::uint32_t line, const PayloadIds& ids) {
    auto found = ids.find(id);
    if (found == ids.end()) throw ManifestError(line, kUnknownPayload + Common::Utf8FromAnsi(id));
    return found->second;
}

const toml::table& AsTable(const toml::node& node, const char* what) {
    const toml::table* table = node.as_table();
    if (table == nullptr) throw ManifestError(LineOf(node), std::string("a ") + what + " " + kNotTable);
    return *table;
}

// A folder is stored with its trailing backslash, so that every reader finds the separator
// behind it, also behind a double-byte character whose second byte is 0x5C.
std::string FolderPath(const std::string& folder) {
    std::string path = ContainerPath(folder);
    std::size_t last = Common::FindLastBackslash(path);
    if (!path.empty() && (last == std::string::npos || last + 1 != path.size())) {
        path += Common::kBackslash;
    }
    return path;
}

CopyRecord ReadCopy(ManifestTable& table, const PayloadIds& ids) {
    CopyRecord record;
    std::uint32_t line = table.KeyLine("payload");
    record.payloadIndex = PayloadIndex(table.RequiredText("payload"), line, ids);
    record.folder = FolderPath(table.OptionalText("folder").value_or(""));
    return record;
}

DeleteRecord ReadDelete(ManifestTable& table) {
    return DeleteRecord{ContainerPath(table.RequiredText("path"))};
}

std::vector<ArchiveRemoval> ReadRemovals(const toml::array* removals) {
    std::vector<ArchiveRemoval> result;
    if (removals == nullptr) return result;
    for (const toml::node& node : *removals) {
        ManifestTable table(AsTable(node, kRemoval), kRemoval);
        ArchiveRemoval removal;
        removal.name = table.RequiredText("name");
        removal.revision = static_cast<std::uint16_t>(table.RequiredInteger("revision", 0, kU16Max));
        table.RejectUnknownKeys();
        result.push_back(std::move(removal));
    }
    return result;
}

std::vector<ArchiveAddition> ReadAdditions(const toml::array* additions, const PayloadIds& ids) {
    std::vector<ArchiveAddition> result;
    if (additions == nullptr) return result;
    for (const toml::node& node : *additions) {
        const auto* id = node.as_string();
        if (id == nullptr) throw ManifestError(LineOf(node), kAdditionNotText);
        std::string ansi = AnsiText(id->get(), LineOf(node), "add");
        result.push_back(ArchiveAddition{0, PayloadIndex(ansi, LineOf(node), ids)});
    }
    return result;
}

ArchiveRecord ReadArchive(ManifestTable& table, const PayloadIds& ids) {
    ArchiveRecord record;
    record.path = ContainerPath(table.RequiredText("path"));
    record.revision = static_cast<std::uint16_t>(table.RequiredInteger("revision", 0, kU16Max));
    record.removals = ReadRemovals(table.OptionalArray("remove"));
    record.additions = ReadAdditions(table.OptionalArray("add"), ids);
    return record;
}

ScriptRecord ReadRecord(ManifestTable& table, const PayloadIds& ids) {
    std::string type = table.RequiredUtf8Text("type");
    if (type == "copy") return ReadCopy(table, ids);
    if (type == "delete") return ReadDelete(table);
    if (type == "archive") return ReadArchive(table, ids);
    throw ManifestError(table.KeyLine("type"), kUnknownType);
}

}  // namespace

std::vector<ScriptRecord> ReadManifestRecords(const toml::array* tables,
                                              const ManifestPayloads& payloads) {
    std::vector<ScriptRecord> records;
    if (tables == nullptr) return records;
    for (const toml::node& node : *tables) {
        ManifestTable table(AsTable(node, kRecord), kRecord);
        records.push_back(ReadRecord(table, payloads.indexById));
        table.RejectUnknownKeys();
        RequireRecordPath(records.back(), records.size(), table.Line(), payloads.payloads);
    }
    return records;
}

}  // namespace Orvane::Cli
