#include "diff_fixture.h"

#include <filesystem>
#include <fstream>

#include "support/text.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

fs::path HostPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

void SetModified(const std::string& utf8, std::int64_t seconds) {
    fs::last_write_time(
        HostPath(utf8),
        std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(seconds))));
}

}  // namespace

Tools::LinkEntry Entry(const std::u8string& name, const std::string& data) {
    Tools::LinkEntry entry;
    entry.name = Cp932(name);
    entry.data.assign(data.begin(), data.end());
    return entry;
}

DiffTest::DiffTest() {
    for (const char* folder : {"old", "new", "out", "capture"}) {
        fs::create_directories(HostPath(Path(folder)));
    }
    std::string stub = Path("stub.exe");
    Tools::WriteMinimalImage(Cp932(std::u8string(stub.begin(), stub.end())));
}

std::string DiffTest::Path(const std::string& relative) const {
    return Utf8(root_.Path()) + relative;
}

void DiffTest::WriteFile(const std::string& release, const std::string& relative,
                         const std::string& bytes, std::int64_t modified) const {
    std::string path = Path(release + "/" + relative);
    fs::create_directories(HostPath(path).parent_path());
    std::ofstream(HostPath(path), std::ios::binary) << bytes;
    SetModified(path, modified);
}

void DiffTest::WriteArchive(const std::string& release, const std::string& relative,
                            const Tools::LinkArchive& archive, std::int64_t modified) const {
    std::string path = Path(release + "/" + relative);
    fs::create_directories(HostPath(path).parent_path());
    Tools::WriteLinkArchive(Cp932(std::u8string(path.begin(), path.end())), archive);
    SetModified(path, modified);
}

void DiffTest::MakeFolder(const std::string& relative) const {
    fs::create_directories(HostPath(Path(relative)));
}

void DiffTest::MakeReadOnly(const std::string& relative) const {
    fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(HostPath(Path(relative)), write, fs::perm_options::remove);
}

bool DiffTest::Exists(const std::string& relative) const {
    std::error_code error;
    return fs::exists(HostPath(Path(relative)), error);
}

ChildResult DiffTest::Diff(const std::vector<std::string>& extra, const std::string& title) const {
    std::vector<std::string> arguments{"diff",      Path("old"), Path("new"),     "-o",
                                       PatchPath(), "--title",   title,           "--registry-key",
                                       "K",         "--stub",    Path("stub.exe")};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return Run(arguments);
}

std::function<void(const DiffTest&)> ArchiveChange(const std::string& relative,
                                                   const Tools::LinkArchive& old,
                                                   const Tools::LinkArchive& newer) {
    return [=](const DiffTest& t) {
        t.WriteArchive("old", relative, old, kOldTime);
        t.WriteArchive("new", relative, newer, kNewTime);
    };
}

ChildResult DiffTest::Run(const std::vector<std::string>& arguments) const {
    ChildOptions options;
    options.environment["TZ"] = "JST-9";
    return RunChild(ORVPATCH_PROGRAM, arguments, options, Path("capture/"));
}

}  // namespace Orvane::Test
