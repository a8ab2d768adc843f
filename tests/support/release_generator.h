// Random releases of a small game folder for property tests. Each release grows out of the one
// before it by what game updates do: files changed, added, removed, touched or renamed by case;
// LINK archives of all four layouts with entries added, removed, replaced and reordered, and
// now and then one that must be shipped whole (a new tag or layout, a new archive, an entry no
// payload can add). The same seed gives the same releases.
//
// A trial is an installation with a random patch over it, for comparing the dry run of a patch
// with its run (tests/app).
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "patch/container_description.h"
#include "tools/link_archive_file.h"

namespace Orvane::Test {

struct GameFile {
    std::vector<std::uint8_t> bytes;
    std::int64_t modified = 0;  // seconds since 1970 (UTC)
    bool readOnly = false;
};

struct GameArchive {
    Tools::LinkArchive archive;
    std::int64_t modified = 0;
};

struct GameRelease {
    std::map<std::string, GameFile> files;  // UTF-8 paths with '/'
    std::map<std::string, GameArchive> archives;
    std::int64_t time = 0;  // when the release was made
};

// An installation and a patch over it.
struct PatchTrial {
    GameRelease installation;
    ContainerDescription patch;
};

class ReleaseGenerator {
public:
    explicit ReleaseGenerator(unsigned seed) : random_(seed) {}

    GameRelease First();
    GameRelease Next(const GameRelease& previous);

    // A first release with some files stamped after every payload and some read-only, and a
    // patch of one to eight records over it: copies, deletes and archive updates that name its
    // files and archives, often in another case (ASCII and full-width letters) or with '/';
    // payloads older and newer than the installed files, some with the installed bytes, some
    // named like the folders that earlier copies make, some archives that later records update;
    // removals of entries that are there and that are not.
    PatchTrial Trial();

private:
    bool Chance(int percent);
    int Between(int low, int high);
    std::vector<std::uint8_t> Bytes();
    std::string FileName();
    Tools::LinkEntry Entry();
    Tools::LinkArchive Archive();
    void ChangeFiles(GameRelease& release);
    void ChangeArchive(Tools::LinkArchive& archive);
    void ChangeEntries(std::vector<Tools::LinkEntry>& entries);
    std::string OtherCase(const std::string& utf8);
    template <typename Item>
    Item Pick(const std::vector<Item>& items);
    PayloadDescription TrialPayload(const GameRelease& installed);
    ScriptRecord TrialRecord(const PatchTrial& trial);
    ArchiveRecord TrialArchiveRecord(const PatchTrial& trial);

    std::mt19937 random_;
    int serial_ = 0;
};

// Writes the release into folder (UTF-8), which must not exist yet.
void WriteRelease(const GameRelease& release, const std::string& folder);

}  // namespace Orvane::Test
