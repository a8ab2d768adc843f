#include "scenario_patches.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/os.h"
#include "tools/link_archive_file.h"

namespace Orvane::E2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Read by the test scripts as well: keep them in step with tests/e2e_win32/gui_test.sh.
constexpr char kRegistryKey[] = "Software\\Orvane\\E2E";
constexpr char kArchivePath[] = "data\\data.arc";
constexpr std::size_t kCancelPairs = 4000;
constexpr std::size_t kCancelPayloadSize = 512 * 1024;
// Long enough for the progress dialog of /SILENT to be seen, short enough to complete.
constexpr std::size_t kSilentPairs = 200;

const TimeStamp kStamp{2024, 3, 5, 14, 30, 0};

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

PayloadDescription Payload(const std::string& name, Bytes data) {
    PayloadDescription payload;
    payload.name = name;
    payload.created = kStamp;
    payload.modified = kStamp;
    payload.data = std::move(data);
    return payload;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    Os::MakeSureDirectoryPathExists(path);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ContainerDescription SuccessPatch() {
    ContainerDescription patch;
    patch.title = "テスト修正 1.0";
    patch.registryKey = kRegistryKey;
    patch.payloads = {Payload("readme.txt", BytesOf("patched readme\r\n")),
                      Payload("新データ.txt", BytesOf("new data\r\n")),
                      Payload("title.bmp", Pattern(4096, 3))};
    ArchiveRecord archive{kArchivePath, 2, {{1, "title.bmp"}}, {{0, 2}}};
    patch.records = {CopyRecord{"doc\\", 0}, CopyRecord{"", 1}, DeleteRecord{"old.dat"}, archive};
    return patch;
}

void SeedSuccess(const std::string& folder) {
    WriteFile(folder + "old.dat", BytesOf("old"));
    Tools::LinkArchive archive;
    archive.revision = 1;
    archive.entries = {{"title.bmp", 0, 2020, 1, 1, 0, 0, 0, Pattern(1024, 9)},
                       {"keep.txt", 0, 2020, 1, 1, 0, 0, 0, BytesOf("keep")}};
    Os::MakeSureDirectoryPathExists(folder + kArchivePath);
    Tools::WriteLinkArchive(folder + kArchivePath, archive);
}

ContainerDescription FailurePatch() {
    ContainerDescription patch;
    patch.title = "失敗テスト";
    patch.registryKey = kRegistryKey;
    patch.payloads = {Payload("readme.txt", BytesOf("patched readme\r\n"))};
    ArchiveRecord missing{"data\\missing.arc", 2, {}, {{0, 0}}};
    patch.records = {CopyRecord{"", 0}, missing, DeleteRecord{"never.dat"}};
    return patch;
}

void SeedFailure(const std::string& folder) { WriteFile(folder + "never.dat", BytesOf("stays")); }

// Each pair writes the payload through a temporary file and deletes it again, so the folder
// stays small however far the run gets.
ContainerDescription CopyDeletePairs(const char* title, std::size_t pairs) {
    ContainerDescription patch;
    patch.title = title;
    patch.registryKey = kRegistryKey;
    patch.payloads = {Payload("big.bin", Pattern(kCancelPayloadSize, 1))};
    for (std::size_t i = 0; i < pairs; ++i) {
        patch.records.push_back(CopyRecord{"work\\", 0});
        patch.records.push_back(DeleteRecord{"work\\big.bin"});
    }
    return patch;
}

ContainerDescription CancelPatch() { return CopyDeletePairs("キャンセルテスト", kCancelPairs); }

ContainerDescription SilentPatch() { return CopyDeletePairs("サイレントテスト", kSilentPairs); }

// A folder whose name ends in 表 (95 5C), given without a backslash: the delete and the copy
// work inside it, and "表a.bin" beside it stays.
ContainerDescription TrailBytePatch() {
    ContainerDescription patch;
    patch.title = "表テスト";
    patch.registryKey = kRegistryKey;
    patch.payloads = {Payload("readme.txt", BytesOf("patched readme\r\n"))};
    patch.records = {DeleteRecord{"a.bin"}, CopyRecord{"doc\\", 0}};
    return patch;
}

// folder ends in the backslash that the run adds to the name ending in 表.
void SeedTrailByte(const std::string& folder) {
    WriteFile(folder + "a.bin", BytesOf("inside"));
    WriteFile(folder.substr(0, folder.size() - 1) + "a.bin", BytesOf("beside"));
}

void SeedNothing(const std::string&) {}

constexpr std::array kScenarios{
    Scenario{"success", &SuccessPatch, &SeedSuccess},
    Scenario{"failure", &FailurePatch, &SeedFailure},
    Scenario{"cancel", &CancelPatch, &SeedNothing},
    Scenario{"silent", &SilentPatch, &SeedNothing},
    Scenario{"trail-byte", &TrailBytePatch, &SeedTrailByte},
};

}  // namespace

std::optional<Scenario> FindScenario(const std::string& name) {
    for (const Scenario& scenario : kScenarios) {
        if (name == scenario.name) return scenario;
    }
    return std::nullopt;
}

}  // namespace Orvane::E2e
