#include "cli/manifest_reader.h"

#include <filesystem>

#include "cli/manifest_payloads.h"
#include "cli/manifest_records.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kTopLevel[] = "the manifest";
constexpr char kCannotParse[] = "not a TOML file: ";
constexpr std::int64_t kU16Max = 65535;

fs::path Utf8Path(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

toml::table ParseManifest(const std::string& manifestPath) {
    try {
        return toml::parse_file(manifestPath);
    } catch (const toml::parse_error& error) {
        throw ManifestError(error.source().begin.line,
                            kCannotParse + std::string(error.description()));
    }
}

}  // namespace

ContainerDescription ReadManifest(const std::string& manifestPath) {
    toml::table root = ParseManifest(manifestPath);
    ManifestTable table(root, kTopLevel);
    ContainerDescription description;
    description.title = table.RequiredText("title");
    description.registryKey = table.RequiredText("registry-key");
    description.version = static_cast<std::int32_t>(table.OptionalInteger("version", 0, 1).value_or(1));
    description.reserved =
        static_cast<std::uint16_t>(table.OptionalInteger("reserved", 0, kU16Max).value_or(0));
    ManifestPayloads payloads = ReadManifestPayloads(table.OptionalArray("payload"),
                                                     Utf8Path(manifestPath).parent_path());
    description.records = ReadManifestRecords(table.OptionalArray("record"), payloads.indexById);
    description.payloads = std::move(payloads.payloads);
    table.RejectUnknownKeys();
    return description;
}

}  // namespace Orvane::Cli
