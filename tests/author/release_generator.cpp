#include "release_generator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kFirstRelease = 1700000000;  // 2023-11-14
constexpr std::int64_t kDay = 86400;
const char8_t* const kFolders[] = {u8"", u8"data/", u8"データ/", u8"Save/表/"};
const char8_t* const kStems[] = {u8"readme", u8"Config", u8"背景", u8"ソース", u8"立ち絵", u8"bgm"};
const char8_t* const kExtensions[] = {u8".txt", u8".bmp", u8".dat"};
const char* const kMagics[] = {"LINK3", "LINK4", "LINK5", "LINK6"};
const char* const kTags[] = {"ARC", "CG", "snd"};

fs::path HostPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
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
    return Utf8(std::u8string(kStems[Between(0, 5)])) + std::to_string(++serial_) +
           Utf8(std::u8string(kExtensions[Between(0, 2)]));
}

Tools::LinkEntry ReleaseGenerator::Entry() {
    Tools::LinkEntry entry;
    // Now and then a name twice in one archive.
    entry.name = Cp932(std::u8string(kStems[Between(0, 5)]) + (Chance(15) ? u8"" : u8"_") +
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
        release.files[Utf8(std::u8string(kFolders[Between(0, 3)])) + FileName()] = {Bytes(),
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
        files[Utf8(std::u8string(kFolders[Between(0, 3)])) + FileName()] = {Bytes(), release.time};
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

void WriteRelease(const GameRelease& release, const std::string& folder) {
    fs::create_directories(HostPath(folder));
    for (const auto& [path, file] : release.files) {
        fs::path host = HostPath(folder + "/" + path);
        fs::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.bytes.data()),
                   static_cast<std::streamsize>(file.bytes.size()));
        SetModified(host, file.modified);
    }
    for (const auto& [path, archive] : release.archives) {
        fs::path host = HostPath(folder + "/" + path);
        fs::create_directories(host.parent_path());
        Tools::WriteLinkArchive(Cp932(host.u8string()), archive.archive);
        SetModified(host, archive.modified);
    }
}

}  // namespace Orvane::Test
