#include "cli/manifest/manifest_writer.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "author/host_files.h"
#include "cli/manifest/toml_text.h"
#include "common/utf8_path.h"
#include "common/failure.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLongestNamePart = 100;
constexpr char kHeading[] =
    "# Made by orvpatch diff: `orvpatch build` makes the same patch from this manifest.\n";

[[noreturn]] void Fail(const fs::path& path) {
    throw MessageFailure(std::string(kManifestNotWritten) + ": " + Author::MessagePath(path));
}

// The payload's index, then its name where that makes a harmless file name.
std::string PayloadFileName(std::size_t index, const std::string& name) {
    char number[24];
    std::snprintf(number, sizeof number, "%05zu", index);
    std::string utf8 = Common::Utf8FromAnsi(name);
    for (char& c : utf8) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) c = '_';
    }
    if (utf8.empty() || utf8.size() > kLongestNamePart) return number;
    return std::string(number) + "-" + utf8;
}

std::string Text(const std::string& cp932) { return TomlString(Common::Utf8FromAnsi(cp932)); }

void Put(std::ofstream& out, const std::uint8_t* bytes, std::size_t count) {
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    Put(out, bytes.data(), bytes.size());
    if (!out.flush()) Fail(path);
}

void WritePayloadFile(const fs::path& path, const ContainerDescription& description,
                      const PayloadFeed* feed, std::size_t index) {
    if (feed == nullptr) return WriteFile(path, description.payloads[index].data);
    std::ofstream out(path, std::ios::binary);
    feed->Feed(index, [&out](const std::uint8_t* bytes, std::size_t count) {
        Put(out, bytes, count);
    });
    if (!out.flush()) Fail(path);
}

void Describe(std::ostream& out, const PayloadDescription& payload, const std::string& file,
              const std::string& id) {
    out << "\n[[payload]]\nfile = " << TomlString(file) << "\nid = " << TomlString(id)
        << "\nname = " << Text(payload.name) << "\nkind = " << payload.kind
        << "\ncreated = " << TomlDateTime(payload.created)
        << "\nmodified = " << TomlDateTime(payload.modified) << "\n";
}

void Describe(std::ostream& out, const ScriptRecord& record, const std::vector<std::string>& ids) {
    out << "\n[[record]]\n";
    if (const auto* copy = std::get_if<CopyRecord>(&record)) {
        out << "type = \"copy\"\npayload = " << TomlString(ids[copy->payloadIndex]) << "\n";
        if (!copy->folder.empty()) out << "folder = " << Text(copy->folder) << "\n";
    } else if (const auto* deletion = std::get_if<DeleteRecord>(&record)) {
        out << "type = \"delete\"\npath = " << Text(deletion->path) << "\n";
    } else if (const auto* archive = std::get_if<ArchiveRecord>(&record)) {
        out << "type = \"archive\"\npath = " << Text(archive->path)
            << "\nrevision = " << archive->revision << "\nremove = [\n";
        for (const ArchiveRemoval& removal : archive->removals) {
            out << "  { name = " << Text(removal.name) << ", revision = " << removal.revision
                << " },\n";
        }
        out << "]\nadd = [\n";
        for (const ArchiveAddition& addition : archive->additions) {
            out << "  " << TomlString(ids[addition.payloadIndex]) << ",\n";
        }
        out << "]\n";
    }
}

void DescribeHeader(std::ostream& out, const ContainerDescription& description) {
    out << kHeading << "title = " << Text(description.title)
        << "\nregistry-key = " << Text(description.registryKey) << "\n";
    if (description.version != 1) out << "version = " << description.version << "\n";
    if (description.reserved != 0) out << "reserved = " << description.reserved << "\n";
}

}  // namespace

void WriteManifest(const ContainerDescription& description, const fs::path& manifestPath,
                   const fs::path& payloadFolder, const std::string& payloadFolderName,
                   const PayloadFeed* feed) {
    std::error_code error;
    fs::create_directory(payloadFolder, error);
    if (error || !fs::is_empty(payloadFolder, error) || error) Fail(payloadFolder);
    std::ostringstream text;
    DescribeHeader(text, description);
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < description.payloads.size(); ++i) {
        const PayloadDescription& payload = description.payloads[i];
        ids.push_back(PayloadFileName(i, payload.name));
        WritePayloadFile(payloadFolder / Common::PathFromUtf8(ids.back()), description, feed, i);
        Describe(text, payload, payloadFolderName + "/" + ids.back(), ids.back());
    }
    for (const ScriptRecord& record : description.records) Describe(text, record, ids);
    std::string bytes = text.str();
    WriteFile(manifestPath, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace Orvane::Cli
