#include "cli/manifest/manifest_reader.h"

#include <filesystem>

#include "cli/manifest/manifest_payloads.h"
#include "cli/manifest/manifest_records.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kTopLevel[] = "the manifest";
constexpr char kCannotParse[] = "not a TOML file: ";
constexpr std::int64_t kU16Max = 65535;
constexpr char kVersionKey[] = "version";
constexpr std::int64_t kAnsiHeaderVersion = 0;
constexpr std::int64_t kUtf16HeaderVersion = 1;
constexpr char kVersionNotRunnable[] =
    "'version' 0 makes a patch whose script the patch program refuses to load; "
    "leave 'version' out or set it to 1";

toml::table ParseManifest(const std::string& manifestPath) {
    try {
        return toml::parse_file(manifestPath);
    } catch (const toml::parse_error& error) {
        throw ManifestError(error.source().begin.line,
                            kCannotParse + std::string(error.description()));
    }
}

// The container format knows versions 0 and 1, but the patch program runs only version 1: a
// version-0 patch would fail on every run.
std::int32_t ReadVersion(ManifestTable& table) {
    std::optional<std::int64_t> version =
        table.OptionalInteger(kVersionKey, kAnsiHeaderVersion, kUtf16HeaderVersion);
    if (version == kAnsiHeaderVersion) {
        throw ManifestError(table.KeyLine(kVersionKey), kVersionNotRunnable);
    }
    return static_cast<std::int32_t>(kUtf16HeaderVersion);
}

}  // namespace

ContainerDescription ReadManifest(const std::string& manifestPath) {
    toml::table root = ParseManifest(manifestPath);
    ManifestTable table(root, kTopLevel);
    ContainerDescription description;
    description.title = table.RequiredText("title");
    description.registryKey = table.RequiredText("registry-key");
    description.version = ReadVersion(table);
    description.reserved =
        static_cast<std::uint16_t>(table.OptionalInteger("reserved", 0, kU16Max).value_or(0));
    fs::path folder = Common::PathFromUtf8(manifestPath).parent_path();
    ManifestPayloads payloads = ReadManifestPayloads(table.OptionalArray("payload"), folder);
    description.records = ReadManifestRecords(table.OptionalArray("record"), payloads);
    description.payloads = std::move(payloads.payloads);
    table.RejectUnknownKeys();
    return description;
}

}  // namespace Orvane::Cli
