// orvpatch-bench-workload: makes the workloads of scripts/bench.
//
//   orvpatch-bench-workload archive FOLDER ENTRIES SIZE REPLACED
//       FOLDER/game/data.arc: a "LINK6" archive at revision 1 of ENTRIES entries of SIZE bytes;
//       FOLDER/manifest.toml: a patch that brings it to revision 2, replacing REPLACED entries
//       spread evenly over the archive by the files in FOLDER/payload/.
//   orvpatch-bench-workload payload FOLDER SIZE
//       FOLDER/manifest.toml: a patch that copies FOLDER/payload/big.bin (SIZE bytes) into an
//       empty FOLDER/game/.
//   orvpatch-bench-workload payloads FOLDER COUNT
//       FOLDER/manifest.toml: a patch carrying COUNT small files, of which it copies the last
//       into an empty FOLDER/game/: opening it walks the whole payload table.
//   orvpatch-bench-workload many FOLDER COUNT SIZE
//       FOLDER/game/ and FOLDER/new/, a release and the next one that adds COUNT files of SIZE
//       bytes to one folder; FOLDER/manifest.toml: the patch between them.
//   orvpatch-bench-workload release FOLDER MIB
//       FOLDER/game/ and FOLDER/new/, two releases of about MIB MiB each, the patch between
//       them touching about a fifth of the bytes (tools/bench_release_workloads.h).
//   All of them also write FOLDER/stub.exe, the stub the patch is built on.
//
// Data is generated, never held whole: any size can be made in constant memory.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/file_stream.h"
#include "platform/os.h"
#include "tools/bench_release_workloads.h"
#include "tools/bench_workload_files.h"
#include "tools/minimal_image.h"

namespace Orvane::Tools {
namespace {

using Arguments = std::vector<std::string>;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr char kUsage[] =
    "usage: orvpatch-bench-workload archive FOLDER ENTRIES SIZE REPLACED\n"
    "       orvpatch-bench-workload payload FOLDER SIZE\n"
    "       orvpatch-bench-workload payloads FOLDER COUNT\n"
    "       orvpatch-bench-workload many FOLDER COUNT SIZE\n"
    "       orvpatch-bench-workload release FOLDER MIB\n";

int MakeArchive(const Arguments& arguments) {
    const std::string folder = arguments[0] + "/";
    const auto entries = static_cast<std::uint32_t>(std::stoul(arguments[1]));
    const auto size = static_cast<std::uint32_t>(std::stoul(arguments[2]));
    const auto replaced = static_cast<std::uint32_t>(std::stoul(arguments[3]));
    std::vector<ArchiveEntryPlan> original;
    for (std::uint32_t i = 0; i < entries; ++i) original.push_back({i, false});
    WriteArchive(folder + "game/data.arc", 1, original, size);
    std::string payloads, removals, additions;
    Pattern pattern(2);
    for (std::uint32_t k = 0; k < replaced; ++k) {
        std::string name = EntryName(static_cast<std::uint32_t>(
            (static_cast<std::uint64_t>(k) * entries) / replaced));
        pattern.Write(*Create(folder + "payload/" + name), size, k);
        payloads += "[[payload]]\nfile = \"payload/" + name + "\"\n";
        removals += (k ? ", " : "") + ("{ name = \"" + name + "\", revision = 1 }");
        additions += (k ? ", " : "") + ("\"" + name + "\"");
    }
    WriteText(folder + "manifest.toml",
              ManifestHead() + payloads + "[[record]]\ntype = \"archive\"\npath = \"data.arc\"\n" +
                  "revision = 2\nremove = [" + removals + "]\nadd = [" + additions + "]\n");
    return kExitSuccess;
}

int MakePayload(const Arguments& arguments) {
    const std::string folder = arguments[0] + "/";
    const std::uint64_t size = std::stoull(arguments[1]);
    Pattern(3).Write(*Create(folder + "payload/big.bin"), size, 0);
    Os::MakeSureDirectoryPathExists(folder + "game/");
    WriteText(folder + "manifest.toml",
              ManifestHead() + "[[payload]]\nfile = \"payload/big.bin\"\n" +
                  "[[record]]\ntype = \"copy\"\npayload = \"big.bin\"\n");
    return kExitSuccess;
}

int MakePayloads(const Arguments& arguments) {
    const std::string folder = arguments[0] + "/";
    const auto count = static_cast<std::uint32_t>(std::stoul(arguments[1]));
    std::string payloads;
    Os::MakeSureDirectoryPathExists(folder + "payload/");
    for (std::uint32_t i = 0; i < count; ++i) {
        // Written by host path: a new name through the platform layer lists the folder to
        // match its case, which tens of thousands of files in one folder make slow.
        std::string name = EntryName(i);
        WriteText(folder + "payload/" + name, name + "\n");
        payloads += "[[payload]]\nfile = \"payload/" + name + "\"\n";
    }
    Os::MakeSureDirectoryPathExists(folder + "game/");
    WriteText(folder + "manifest.toml",
              ManifestHead() + payloads + "[[record]]\ntype = \"copy\"\npayload = \"" +
                  EntryName(count - 1) + "\"\n");
    return kExitSuccess;
}

int MakeMany(const Arguments& arguments) {
    MakeManyFiles(arguments[0] + "/", static_cast<std::uint32_t>(std::stoul(arguments[1])),
                  static_cast<std::uint32_t>(std::stoul(arguments[2])));
    return kExitSuccess;
}

int MakeReleases(const Arguments& arguments) {
    MakeRelease(arguments[0] + "/", static_cast<std::uint32_t>(std::stoul(arguments[1])));
    return kExitSuccess;
}

using Maker = int (*)(const Arguments&);

// The maker of a workload kind and the number of arguments it takes; none for anything else.
Maker MakerOf(const Arguments& arguments) {
    struct Kind {
        const char* name;
        std::size_t arguments;
        Maker maker;
    };
    static constexpr Kind kKinds[] = {
        {"archive", 4, MakeArchive}, {"payload", 2, MakePayload}, {"payloads", 2, MakePayloads},
        {"many", 3, MakeMany},       {"release", 2, MakeReleases}};
    for (const Kind& kind : kKinds) {
        if (!arguments.empty() && arguments[0] == kind.name &&
            arguments.size() == kind.arguments + 1) {
            return kind.maker;
        }
    }
    return nullptr;
}

int Main(const Arguments& arguments) {
    Maker maker = MakerOf(arguments);
    if (maker == nullptr) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    Arguments rest(arguments.begin() + 1, arguments.end());
    try {
        int status = maker(rest);
        WriteMinimalImage(rest[0] + "/stub.exe");
        return status;
    } catch (const MessageFailure& failure) {
        std::fprintf(stderr, "orvpatch-bench-workload: %s\n", failure.Text().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvpatch-bench-workload: %s\n", error.what());
    }
    return kExitFailure;
}

}  // namespace
}  // namespace Orvane::Tools

int main(int argc, char** argv) {
    return Orvane::Tools::Main(Orvane::Tools::Arguments(argv + 1, argv + argc));
}
