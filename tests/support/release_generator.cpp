#include "support/release_generator.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <variant>

#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kFirstRelease = 1700000000;  // 2023-11-14
constexpr std::int64_t kDay = 86400;
const char8_t* const kFolders[] = {u8"", u8"data/", u8"データ/", u8"Save/表/", u8"Ｓｙｓ/"};
const char8_t* const kStems[] = {u8"readme", u8"Config", u8"背景",     u8"ソース",
                                 u8"立ち絵", u8"bgm",    u8"ＳａｖｅＤａｔａ"};
const char8_t* const kExtensions[] = {u8".txt", u8".bmp", u8".dat"};
const char* const kMagics[] = {"LINK3", "LINK4", "LINK5", "LINK6"};
const char* const kTags[] = {"ARC", "CG", "snd"};
constexpr int kLastFolder = static_cast<int>(std::size(kFolders)) - 1;
constexpr int kLastStem = static_cast<int>(std::size(kStems)) - 1;

// Trials: installed files stamped after every payload, the payloads' stamps (before the
// installation, between it and the later stamp, and far ahead of the run), the folders that
// copies make and the payloads named like them.
constexpr std::int64_t kAfterPayloads = 1893456000;  // 2030-01-01
constexpr TimeStamp kPayloadTimes[] = {{2023, 1, 1, 0, 0, 0}, {2024, 3, 5, 14, 30, 0},
                                       {2090, 1, 1, 0, 0, 0}};
const char8_t* const kMadeFolders[] = {u8"新規/", u8"Ｎｅｗ/", u8"Ｎｅｗ/深い/"};
const char8_t* const kFolderNames[] = {u8"新規", u8"Ｎｅｗ", u8"data"};
const char8_t* const kOtherNames[] = {u8"ｎｅｗ.arc", u8"gone.dat"};
constexpr std::uint8_t kFullWidthLead = 0xEF;
constexpr std::uint8_t kFullWidthUpper = 0xBC;  // Ａ-Ｚ: EF BC A1-BA
constexpr std::uint8_t kFullWidthLower = 0xBD;  // ａ-ｚ: EF BD 81-9A
constexpr std::uint8_t kFullWidthCaseDistance = 0xA1 - 0x81;

fs::path HostPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Text(const char8_t* utf8) { return Utf8(std::u8string(utf8)); }

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }
std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A UTF-8 path as a record gives it: code page 932, with '\' or '/' between components.
std::string ScriptPath(std::string utf8, bool slashes) {
    if (!slashes) std::replace(utf8.begin(), utf8.end(), '/', '\\');
    return Cp932(std::u8string(utf8.begin(), utf8.end()));
}

template <typename Map>
std::vector<std::string> Keys(const Map& map) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : map) keys.push_back(key);
    return keys;
}

// Where the copies among records write (UTF-8, '/').
std::vector<std::string> CopyDestinations(const ContainerDescription& patch) {
    std::vector<std::string> destinations;
    for (const ScriptRecord& record : patch.records) {
        if (const auto* copy = std::get_if<CopyRecord>(&record)) {
            std::string path = Utf8(copy->folder + patch.payloads[copy->payloadIndex].name);
            std::replace(path.begin(), path.end(), '\\', '/');
            destinations.push_back(path);
        }
    }
    return destinations;
}

void SetModified(const fs::path& path, std::int64_t seconds) {
    fs::last_write_time(path, std::chrono::file_clock::from_sys(
                                  std::chrono::sys_seconds(std::chrono::seconds(seconds))));
}

// A name in another case: the ASCII letters of its last component turned over.
std::string RenamedByCase(const std::string& path) {
    std::string renamed = path;
    for (std::size_t i = renamed.rfind('/') + 1; i < renamed.size(); ++i) {
        char& c = renamed[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return renamed;
}

}  // namespace

bool ReleaseGenerator::Chance(int percent) { return Between(1, 100) <= percent; }

int ReleaseGenerator::Between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

std::vector<std::uint8_t> ReleaseGenerator::Bytes() {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Between(0, 40)));
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(Between(0, 255));
    return bytes;
}

std::string ReleaseGenerator::FileName() {
    return Utf8(std::u8string(kStems[Between(0, kLastStem)])) + std::to_string(++serial_) +
           Utf8(std::u8string(kExtensions[Between(0, 2)]));
}

Tools::LinkEntry ReleaseGenerator::Entry() {
    Tools::LinkEntry entry;
    // Now and then a name twice in one archive.
    entry.name = Cp932(std::u8string(kStems[Between(0, kLastStem)]) + (Chance(15) ? u8"" : u8"_") +
                       (Chance(15) ? u8"" : std::u8string(1, char8_t(u8'a' + Between(0, 20)))));
    entry.kind = static_cast<std::uint16_t>(Between(0, 3));
    entry.year = static_cast<std::uint16_t>(Between(2001, 2029));
    entry.month = static_cast<std::uint8_t>(Between(1, 12));
    entry.day = static_cast<std::uint8_t>(Between(1, 28));
    entry.hour = static_cast<std::uint8_t>(Between(0, 23));
    entry.minute = static_cast<std::uint8_t>(Between(0, 59));
    entry.second = static_cast<std::uint8_t>(Between(0, 59));
    // April 31st: an archive can hold it, a payload cannot bring it back.
    if (Chance(4)) {
        entry.month = 4;
        entry.day = 31;
    }
    entry.data = Bytes();
    return entry;
}

Tools::LinkArchive ReleaseGenerator::Archive() {
    Tools::LinkArchive archive;
    archive.magic = kMagics[Between(0, 3)];
    archive.tag = kTags[Between(0, 2)];
    archive.revision = 1;
    for (int i = Between(1, 5); i > 0; --i) archive.entries.push_back(Entry());
    return archive;
}

GameRelease ReleaseGenerator::First() {
    GameRelease release;
    release.time = kFirstRelease;
    for (int i = Between(3, 7); i > 0; --i) {
        release.files[Text(kFolders[Between(0, kLastFolder)]) + FileName()] = {Bytes(),
                                                                                 release.time};
    }
    for (int i = Between(2, 3); i > 0; --i) {
        release.archives["data/" + std::to_string(++serial_) + ".arc"] = {Archive(), release.time};
    }
    return release;
}

void ReleaseGenerator::ChangeEntries(std::vector<Tools::LinkEntry>& entries) {
    int change = Between(0, 4);
    std::size_t count = entries.size();
    if (change == 0 || count == 0) {
        entries.push_back(Entry());  // added
    } else if (change == 1) {
        entries.erase(entries.begin() + Between(0, static_cast<int>(count) - 1));  // removed
    } else if (change == 2) {
        std::size_t at = static_cast<std::size_t>(Between(0, static_cast<int>(count) - 1));
        Tools::LinkEntry replaced = entries[at];  // replaced: the new one comes last
        replaced.data = Bytes();
        entries.erase(entries.begin() + static_cast<long>(at));
        entries.push_back(replaced);
    } else if (change == 3) {
        entries[Between(0, static_cast<int>(count) - 1)].data = Bytes();  // changed in place
    } else {
        std::swap(entries[Between(0, static_cast<int>(count) - 1)], entries.back());  // reordered
    }
}

void ReleaseGenerator::ChangeArchive(Tools::LinkArchive& archive) {
    for (int i = Between(1, 3); i > 0; --i) ChangeEntries(archive.entries);
    if (Chance(6)) archive.tag = archive.tag == "ARC" ? "CG" : "ARC";
    if (Chance(6)) archive.magic = kMagics[Between(0, 3)];
    archive.revision += static_cast<std::uint32_t>(Between(1, 2));
}

void ReleaseGenerator::ChangeFiles(GameRelease& release) {
    std::map<std::string, GameFile> files;
    for (auto& [path, file] : release.files) {
        int change = Between(1, 100);
        if (change <= 25) {
            files[path] = {Bytes(), release.time};  // changed
        } else if (change <= 35) {
            continue;  // removed
        } else if (change <= 45) {
            files[RenamedByCase(path)] = file;
        } else {
            files[path] = {file.bytes, change <= 55 ? release.time : file.modified};  // touched
        }
    }
    for (int i = Between(0, 2); i > 0; --i) {
        files[Text(kFolders[Between(0, kLastFolder)]) + FileName()] = {Bytes(), release.time};
    }
    release.files = std::move(files);
}

GameRelease ReleaseGenerator::Next(const GameRelease& previous) {
    GameRelease release = previous;
    release.time = previous.time + kDay;
    ChangeFiles(release);
    for (auto& [path, archive] : release.archives) {
        if (!Chance(70)) continue;
        ChangeArchive(archive.archive);
        archive.modified = release.time;
    }
    if (Chance(20)) {
        release.archives["data/" + std::to_string(++serial_) + ".arc"] = {Archive(), release.time};
    }
    return release;
}

std::string ReleaseGenerator::OtherCase(const std::string& utf8) {
    std::string turned = utf8;
    for (std::size_t i = 0; i < turned.size(); ++i) {
        auto byte = static_cast<std::uint8_t>(turned[i]);
        bool ascii = std::isalpha(byte) != 0;
        bool fullWidth = byte == kFullWidthLead && i + 2 < turned.size() &&
                         (static_cast<std::uint8_t>(turned[i + 1]) == kFullWidthUpper ||
                          static_cast<std::uint8_t>(turned[i + 1]) == kFullWidthLower);
        if (!Chance(50)) continue;
        if (ascii) {
            turned[i] = static_cast<char>(byte ^ 0x20);
        } else if (fullWidth) {
            bool upper = static_cast<std::uint8_t>(turned[i + 1]) == kFullWidthUpper;
            auto last = static_cast<std::uint8_t>(turned[i + 2]);
            turned[i + 1] = static_cast<char>(upper ? kFullWidthLower : kFullWidthUpper);
            turned[i + 2] = static_cast<char>(upper ? last - kFullWidthCaseDistance
                                                    : last + kFullWidthCaseDistance);
        }
    }
    return turned;
}

template <typename Item>
Item ReleaseGenerator::Pick(const std::vector<Item>& items) {
    return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
}

PayloadDescription ReleaseGenerator::TrialPayload(const GameRelease& installed) {
    std::vector<std::uint8_t> bytes = Bytes();
    std::string name;
    int kind = Between(1, 100);
    if (kind <= 45) {
        std::string path = Pick(Keys(installed.files));
        name = OtherCase(NameOf(path));
        if (Chance(40)) bytes = installed.files.at(path).bytes;
    } else if (kind <= 60) {
        name = OtherCase(Text(kFolderNames[Between(0, 2)]));
    } else if (kind <= 85) {
        Tools::LinkArchive archive = Archive();
        archive.revision = static_cast<std::uint32_t>(Between(0, 2));
        bytes = Tools::LinkArchiveBytes(archive);
        std::string archiveName = NameOf(Pick(Keys(installed.archives)));
        name = OtherCase(Chance(50) ? archiveName : Text(kOtherNames[0]));
    } else {
        name = FileName();
    }
    PayloadDescription payload;
    payload.name = Cp932(std::u8string(name.begin(), name.end()));
    payload.created = payload.modified = kPayloadTimes[Between(0, 2)];
    payload.data = std::move(bytes);
    return payload;
}

ArchiveRecord ReleaseGenerator::TrialArchiveRecord(const PatchTrial& trial) {
    std::vector<std::string> paths = Keys(trial.installation.archives);
    for (const std::string& path : CopyDestinations(trial.patch)) paths.push_back(path);
    paths.push_back(Text(kOtherNames[0]));
    std::vector<std::string> entries = {"none"};
    for (const auto& [path, archive] : trial.installation.archives) {
        for (const Tools::LinkEntry& entry : archive.archive.entries) entries.push_back(entry.name);
    }
    ArchiveRecord record;
    record.path = ScriptPath(OtherCase(Pick(paths)), Chance(20));
    record.revision = static_cast<std::uint16_t>(Between(0, 4));
    for (int i = Between(0, 2); i > 0; --i) {
        record.removals.push_back({static_cast<std::uint16_t>(Between(0, 3)), Pick(entries)});
    }
    int payloads = static_cast<int>(trial.patch.payloads.size());
    for (int i = Between(0, 2); i > 0; --i) {
        record.additions.push_back({0, static_cast<std::uint16_t>(Between(0, payloads - 1))});
    }
    return record;
}

ScriptRecord ReleaseGenerator::TrialRecord(const PatchTrial& trial) {
    const GameRelease& installed = trial.installation;
    std::vector<std::string> files = Keys(installed.files);
    int kind = Between(1, 100);
    if (kind <= 45) {
        int where = Between(1, 100);
        std::string folder = where <= 30   ? ""
                             : where <= 55 ? Text(kMadeFolders[Between(0, 2)])
                             : where <= 95 ? FolderOf(Pick(files))
                                           : Pick(files) + "/";  // a folder that is a file
        auto payload = static_cast<std::uint16_t>(
            Between(0, static_cast<int>(trial.patch.payloads.size()) - 1));
        return CopyRecord{ScriptPath(OtherCase(folder), Chance(20)), payload};
    }
    if (kind <= 70) {
        std::vector<std::string> targets = files;
        for (const std::string& path : Keys(installed.archives)) targets.push_back(path);
        for (const std::string& path : CopyDestinations(trial.patch)) targets.push_back(path);
        targets.push_back(Text(kFolderNames[Between(0, 2)]));
        targets.push_back(Text(kOtherNames[1]));
        return DeleteRecord{ScriptPath(OtherCase(Pick(targets)), Chance(20))};
    }
    return TrialArchiveRecord(trial);
}

PatchTrial ReleaseGenerator::Trial() {
    PatchTrial trial;
    trial.installation = First();
    for (auto& [path, file] : trial.installation.files) {
        if (Chance(25)) file.modified = kAfterPayloads;
        file.readOnly = Chance(10);
    }
    trial.patch.title = "t";
    trial.patch.registryKey = "k";
    for (int i = Between(3, 6); i > 0; --i) {
        trial.patch.payloads.push_back(TrialPayload(trial.installation));
    }
    for (int i = Between(1, 8); i > 0; --i) trial.patch.records.push_back(TrialRecord(trial));
    return trial;
}

void WriteRelease(const GameRelease& release, const std::string& folder) {
    fs::create_directories(HostPath(folder));
    for (const auto& [path, file] : release.files) {
        fs::path host = HostPath(folder + "/" + path);
        fs::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.bytes.data()),
                   static_cast<std::streamsize>(file.bytes.size()));
        SetModified(host, file.modified);
        if (file.readOnly) {
            fs::permissions(host, fs::perms::owner_write | fs::perms::group_write |
                                      fs::perms::others_write, fs::perm_options::remove);
        }
    }
    for (const auto& [path, archive] : release.archives) {
        fs::path host = HostPath(folder + "/" + path);
        fs::create_directories(host.parent_path());
        Tools::WriteLinkArchive(Cp932(host.u8string()), archive.archive);
        SetModified(host, archive.modified);
    }
}

}  // namespace Orvane::Test
