// Compiled with a UTF-8 execution character set: <chrono> does not build for code page 932.
// Nothing here carries a text of the system.
#include "cli/manifest/manifest_payloads.h"

#include <chrono>
#include <fstream>
#include <limits>

#include "cli/manifest/manifest_table.h"
#include "common/ctime.h"
#include "common/failure.h"
#include "common/utf8.h"
#include "common/utf8_path.h"
#include "patch/container_reader.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kWhat[] = "payload";
constexpr char kNotTable[] = "a payload must be a table";
constexpr char kTooMany[] = "more than 65535 payloads";
constexpr char kDuplicateId[] = "a payload with this id already exists: ";
constexpr char kFileUnreadable[] = "cannot read payload file ";
constexpr char kFileTooLarge[] = "payload file larger than 4 GiB - 1 bytes: ";
constexpr char kNotRepresentable[] = "' is not a local time from 1970 to 3000";
constexpr std::int64_t kU16Max = std::numeric_limits<std::uint16_t>::max();
// Seconds between 1601-01-01 (file times) and 1970-01-01, and file-time units per second.
constexpr std::int64_t kFileTimeEpochOffset = 11644473600;
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;

std::string Utf8Name(const fs::path& path) {
    std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path, std::uint32_t line) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw ManifestError(line, kFileUnreadable + path.string());
    std::uintmax_t size = fs::file_size(path, error);
    if (error) throw ManifestError(line, kFileUnreadable + path.string());
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw ManifestError(line, kFileTooLarge + path.string());
    }
    std::vector<std::uint8_t> bytes(size);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (!in || static_cast<std::uintmax_t>(in.gcount()) != size) {
        throw ManifestError(line, kFileUnreadable + path.string());
    }
    return bytes;
}

// The file's last-write time as a local time stamp.
TimeStamp LastWriteStamp(const fs::path& path) {
    auto system = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    std::int64_t seconds =
        std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
    auto fileTime = static_cast<Os::FileTime>((seconds + kFileTimeEpochOffset) *
                                              kFileTimeUnitsPerSecond);
    return TimeStampOf(Basic::CTime(fileTime, -1));
}

// Explicit or taken from the file; the patch program turns every stamp into a local time, so
// one that it cannot is refused here.
TimeStamp StampOrLastWrite(ManifestTable& table, const std::string& key, const fs::path& file) {
    std::optional<TimeStamp> explicitStamp = table.OptionalTimeStamp(key);
    try {
        TimeStamp stamp = explicitStamp ? *explicitStamp : LastWriteStamp(file);
        Basic::CTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second);
        return stamp;
    } catch (const PlainFailure&) {
        throw ManifestError(table.KeyLine(key), "'" + key + kNotRepresentable);
    }
}

PayloadDescription ReadPayload(ManifestTable& table, const fs::path& folder, std::string& id) {
    fs::path file = folder / Common::PathFromUtf8(table.RequiredUtf8Text("file"));
    PayloadDescription payload;
    payload.data = ReadWholeFile(file, table.Line());
    std::optional<std::string> name = table.OptionalText("name");
    payload.name = name ? *name : AnsiText(Utf8Name(file), table.Line(), "file");
    payload.kind = static_cast<std::uint16_t>(table.OptionalInteger("kind", 0, kU16Max).value_or(0));
    payload.created = StampOrLastWrite(table, "created", file);
    payload.modified = StampOrLastWrite(table, "modified", file);
    id = table.OptionalText("id").value_or(payload.name);
    table.RejectUnknownKeys();
    return payload;
}

}  // namespace

ManifestPayloads ReadManifestPayloads(const toml::array* tables, const fs::path& folder) {
    ManifestPayloads result;
    if (tables == nullptr) return result;
    for (const toml::node& node : *tables) {
        const toml::table* table = node.as_table();
        if (table == nullptr) throw ManifestError(LineOf(node), kNotTable);
        if (result.payloads.size() == kU16Max) throw ManifestError(LineOf(node), kTooMany);
        ManifestTable fields(*table, kWhat);
        std::string id;
        result.payloads.push_back(ReadPayload(fields, folder, id));
        auto index = static_cast<std::uint16_t>(result.payloads.size() - 1);
        if (!result.indexById.emplace(id, index).second) {
            throw ManifestError(fields.Line(), kDuplicateId + Common::Utf8FromAnsi(id));
        }
    }
    return result;
}

}  // namespace Orvane::Cli
