#include "apply_fixture.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

const std::string kGameFolder = Utf8(u8"ゲーム/");
constexpr char kWorkFolder[] = "work/";
constexpr char kChildFolder[] = "cwd/";
constexpr char kMissingPrefix[] = "no-wine-prefix";
constexpr char kPatchName[] = "patch.exe";

fs::path HostPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// A UTF-8 path as the core takes it.
std::string CorePath(const std::string& utf8) { return Cp932(std::u8string(utf8.begin(), utf8.end())); }

void SetModified(const fs::path& path, std::int64_t seconds) {
    auto time = std::chrono::sys_seconds(std::chrono::seconds(seconds));
    fs::last_write_time(path, std::chrono::file_clock::from_sys(time));
}

}  // namespace

std::int64_t ChildEpoch(const TimeStamp& stamp) {
    std::tm fields{};
    fields.tm_year = stamp.year - 1900;
    fields.tm_mon = stamp.month - 1;
    fields.tm_mday = stamp.day;
    fields.tm_hour = stamp.hour;
    fields.tm_min = stamp.minute;
    fields.tm_sec = stamp.second;
    return static_cast<std::int64_t>(timegm(&fields)) - kChildUtcOffset;
}

ApplyTest::ApplyTest() {
    for (const std::string& folder : {kGameFolder, std::string(kWorkFolder), std::string(kChildFolder)}) {
        fs::create_directories(HostPath(RootPath(folder)));
    }
}

std::string ApplyTest::RootPath(const std::string& relative) const {
    return Utf8(root_.Path()) + relative;
}

std::string ApplyTest::GamePath(const std::string& relative) const {
    return RootPath(kGameFolder + relative);
}

std::string ApplyTest::PatchPath() const { return RootPath(std::string(kWorkFolder) + kPatchName); }

void ApplyTest::WriteGameFile(const std::string& relative, const std::string& bytes,
                              std::int64_t modified) const {
    fs::path path = HostPath(GamePath(relative));
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    SetModified(path, modified);
}

// An archive written again is the same installation as before, modification time included,
// whenever the test writes it.
void ApplyTest::WriteGameArchive(const std::string& relative,
                                 const Tools::LinkArchive& archive) const {
    fs::create_directories(HostPath(GamePath(relative)).parent_path());
    Tools::WriteLinkArchive(CorePath(GamePath(relative)), archive);
    SetModified(HostPath(GamePath(relative)), kInstalledTime);
}

std::optional<Tools::LinkArchive> ApplyTest::ReadGameArchive(const std::string& relative) const {
    return Tools::ReadLinkArchive(CorePath(GamePath(relative)));
}

void ApplyTest::MakeGameFileReadOnly(const std::string& relative) const {
    fs::permissions(HostPath(GamePath(relative)), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
}

void ApplyTest::WritePatch(const ContainerDescription& description) const {
    Orvane::Test::WritePatch(CorePath(PatchPath()), description);
}

void ApplyTest::WritePatchWithScript(const ContainerDescription& description,
                                     const std::vector<std::uint8_t>& records) const {
    Orvane::Test::WritePatchWithScript(CorePath(PatchPath()), description, records);
}

ChildOptions ApplyTest::DefaultOptions() const {
    ChildOptions options;
    options.environment["TZ"] = kChildTimeZone;
    options.environment["WINEPREFIX"] = RootPath(kMissingPrefix);
    options.workingFolder = RootPath(kChildFolder);
    return options;
}

ChildResult ApplyTest::Apply(const std::vector<std::string>& arguments) const {
    return Apply(arguments, DefaultOptions());
}

ChildResult ApplyTest::Apply(const std::vector<std::string>& arguments,
                             const ChildOptions& options) const {
    std::vector<std::string> all{"apply"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunChild(ORVPATCH_PROGRAM, all, options, RootPath(kWorkFolder));
}

ChildResult ApplyTest::ApplyToGame() const {
    return Apply({"--folder", GamePath(), PatchPath()});
}

ChildResult ApplyTest::ApplyToGameInterrupted(std::size_t allowedErrBytes) const {
    return RunInterrupted(ORVPATCH_PROGRAM, {"apply", "--folder", GamePath(), PatchPath()},
                          DefaultOptions(), RootPath(kWorkFolder), allowedErrBytes);
}

}  // namespace Orvane::Test
