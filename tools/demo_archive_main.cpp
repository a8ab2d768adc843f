// orvpatch-demo-archive: makes and shows the files of the demo's game folder.
//
//   orvpatch-demo-archive create ARCHIVE MAGIC REVISION FILE...   a LINK archive of the files
//   orvpatch-demo-archive list ARCHIVE                            its header and entries
//   orvpatch-demo-archive stub IMAGE                              a minimal stub image
//
// Entry names are the files' names; paths and names are UTF-8 here, code page 932 inside.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/utf8.h"
#include "tools/link_archive_file.h"
#include "tools/minimal_image.h"

namespace Orvane::Tools {
namespace {

using Arguments = std::vector<std::string>;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: orvpatch-demo-archive create ARCHIVE MAGIC REVISION FILE...\n"
    "       orvpatch-demo-archive list ARCHIVE\n"
    "       orvpatch-demo-archive stub IMAGE\n";
constexpr char kCannotRead[] = "orvpatch-demo-archive: cannot read ";
constexpr char kNotAnArchive[] = "orvpatch-demo-archive: not a complete LINK archive: ";
constexpr char kFailed[] = "orvpatch-demo-archive: ";

std::string Ansi(const std::string& utf8) { return Common::AnsiFromUtf8(utf8); }

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

LinkEntry EntryFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(kCannotRead + path);
    LinkEntry entry;
    entry.name = Ansi(BaseName(path));
    entry.data.assign(std::istreambuf_iterator<char>(in), {});
    return entry;
}

int Create(const Arguments& arguments) {
    LinkArchive archive;
    archive.magic = arguments[1];
    archive.revision = static_cast<std::uint32_t>(std::stoul(arguments[2]));
    for (std::size_t i = 3; i < arguments.size(); ++i) {
        archive.entries.push_back(EntryFromFile(arguments[i]));
    }
    WriteLinkArchive(Ansi(arguments[0]), archive);
    return kExitSuccess;
}

void PrintEntry(const LinkEntry& entry) {
    std::printf("  %04u-%02u-%02u %02u:%02u:%02u  kind %u  %8zu bytes  %s\n", entry.year,
                entry.month, entry.day, entry.hour, entry.minute, entry.second, entry.kind,
                entry.data.size(), Common::Utf8FromAnsi(entry.name).c_str());
}

int List(const std::string& path) {
    std::optional<LinkArchive> archive = ReadLinkArchive(Ansi(path));
    if (!archive) {
        std::fprintf(stderr, "%s%s\n", kNotAnArchive, path.c_str());
        return kExitFailure;
    }
    std::printf("%s  revision %u  tag \"%s\"\n", archive->magic.c_str(), archive->revision,
                Common::Utf8FromAnsi(archive->tag).c_str());
    for (const LinkEntry& entry : archive->entries) PrintEntry(entry);
    return kExitSuccess;
}

int Run(const std::string& command, const Arguments& arguments) {
    if (command == "create" && arguments.size() >= 3) return Create(arguments);
    if (command == "list" && arguments.size() == 1) return List(arguments[0]);
    if (command == "stub" && arguments.size() == 1) {
        WriteMinimalImage(Ansi(arguments[0]));
        return kExitSuccess;
    }
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

}  // namespace
}  // namespace Orvane::Tools

int main(int argc, char** argv) {
    using namespace Orvane;
    if (argc < 2) {
        std::fputs(Tools::kUsage, stderr);
        return Tools::kExitUsage;
    }
    try {
        return Tools::Run(argv[1], Tools::Arguments(argv + 2, argv + argc));
    } catch (const MessageFailure& failure) {
        std::fprintf(stderr, "%s%s\n", Tools::kFailed, Common::Utf8FromAnsi(failure.Text()).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s%s\n", Tools::kFailed, error.what());
    }
    return Tools::kExitFailure;
}
