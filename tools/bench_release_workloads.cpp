#include "tools/bench_release_workloads.h"

#include <filesystem>
#include <vector>

#include "tools/bench_workload_files.h"

namespace Orvane::Tools {
namespace {

constexpr std::uint32_t kEntrySize = 128 * 1024;
constexpr std::uint32_t kLooseSize = 1024 * 1024;
constexpr std::uint32_t kArchives = 4;
constexpr std::uint32_t kChangedEvery = 20;  // entries replaced, loose files changed and added
constexpr std::uint32_t kRemovedEvery = 50;  // loose files removed
constexpr std::uint32_t kLooseSeed = 3;
constexpr std::uint32_t kChangedSeed = 4;

// The old release is two days old, what the new one changes one day: NEW is newer, by whole
// seconds, than every OLD file it replaces.
void SetAge(const std::string& path, int days) {
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * days));
}
constexpr int kOldAge = 2;
constexpr int kNewAge = 1;

// The first archive of the new release: the entries kept in their order, the replaced ones
// appended after them.
std::vector<ArchiveEntryPlan> UpdatedEntries(std::uint32_t count) {
    std::vector<ArchiveEntryPlan> kept, replaced;
    for (std::uint32_t i = 0; i < count; ++i) {
        (i % kChangedEvery == 0 ? replaced : kept).push_back({i, i % kChangedEvery == 0});
    }
    kept.insert(kept.end(), replaced.begin(), replaced.end());
    return kept;
}

void WriteArchives(const std::string& folder, std::uint32_t entriesPerArchive) {
    std::vector<ArchiveEntryPlan> original;
    for (std::uint32_t i = 0; i < entriesPerArchive; ++i) original.push_back({i, false});
    for (std::uint32_t k = 0; k < kArchives; ++k) {
        std::string name = "data/arc" + std::to_string(k) + ".arc";
        WriteArchive(folder + "game/" + name, 1, original, kEntrySize);
        SetAge(folder + "game/" + name, kOldAge);
        bool updated = k == 0;
        WriteArchive(folder + "new/" + name, updated ? 2 : 1,
                     updated ? UpdatedEntries(entriesPerArchive) : original, kEntrySize);
        SetAge(folder + "new/" + name, updated ? kNewAge : kOldAge);
    }
}

void WriteLoose(const std::string& path, Pattern& pattern, std::uint32_t number, int age) {
    pattern.Write(*Create(path), kLooseSize, number);
    SetAge(path, age);
}

void WriteLooseFiles(const std::string& folder, std::uint32_t count) {
    Pattern original(kLooseSeed), changed(kChangedSeed);
    const std::uint32_t kept = count - count / kRemovedEvery;
    for (std::uint32_t i = 0; i < count + count / kChangedEvery; ++i) {
        std::string name = "loose/" + EntryName(i);
        if (i < count) WriteLoose(folder + "game/" + name, original, i, kOldAge);
        if (i >= kept && i < count) continue;
        bool isNew = i % kChangedEvery == 0 || i >= count;
        WriteLoose(folder + "new/" + name, isNew ? changed : original, i,
                   isNew ? kNewAge : kOldAge);
    }
}

}  // namespace

void MakeManyFiles(const std::string& folder, std::uint32_t count, std::uint32_t size) {
    const std::string readme = "bench\n";
    std::filesystem::create_directories(folder + "game");
    std::filesystem::create_directories(folder + "new/data");
    WriteText(folder + "game/readme.txt", readme);
    WriteText(folder + "new/readme.txt", readme);
    std::string payloads, records;
    std::string data(size, 'x');
    for (std::uint32_t i = 0; i < count; ++i) {
        // Written by host path: a new name through the platform layer lists the folder to
        // match its case, which tens of thousands of files in one folder make slow.
        std::string name = EntryName(i);
        data.replace(0, std::min<std::size_t>(size, name.size()), name, 0, size);
        WriteText(folder + "new/data/" + name, data);
        payloads += "[[payload]]\nfile = \"new/data/" + name + "\"\n";
        records += "[[record]]\ntype = \"copy\"\npayload = \"" + name + "\"\nfolder = \"data\"\n";
    }
    WriteText(folder + "manifest.toml", ManifestHead() + payloads + records);
}

void MakeRelease(const std::string& folder, std::uint32_t mib) {
    const std::uint32_t archiveMib = mib * 5 / 8 / kArchives;
    WriteArchives(folder, archiveMib * (1024 * 1024 / kEntrySize));
    WriteLooseFiles(folder, mib * 3 / 8);
}

}  // namespace Orvane::Tools
