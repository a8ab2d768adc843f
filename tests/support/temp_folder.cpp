#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "support/text.h"

namespace fs = std::filesystem;

namespace Orvane::Test {
namespace {

// Names in tests are code page 932 like everything the core handles; the file system API of
// the test side takes them as UTF-8.
fs::path HostPath(const std::string& cp932) {
    std::string utf8 = Utf8(cp932);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Cp932Name(const fs::path& path) {
    std::u8string utf8 = path.u8string();
    return Cp932(utf8);
}

std::string UniqueName() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    return "orvtest-" + std::to_string(random() % 1000000) + "-" + std::to_string(counter++);
}

}  // namespace

char Separator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

TempFolder::TempFolder() {
    fs::path folder = fs::temp_directory_path() / UniqueName();
    fs::create_directories(folder);
    path_ = Cp932Name(folder);
    if (path_.empty() || path_.back() != Separator()) path_ += Separator();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::path root = HostPath(path_);
    // Read-only files left by a test must not keep the folder alive.
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(root, ignored);
}

std::string TempFolder::operator/(const std::string& relative) const {
    std::string joined = path_ + relative;
    for (char& c : joined) {
        if (c == '/') c = Separator();
    }
    return joined;
}

void TempFolder::WriteFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
    fs::path target = HostPath(*this / relative);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file " + relative);
}

void TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    WriteFile(relative, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream in(HostPath(*this / relative), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read test file " + relative);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool TempFolder::Exists(const std::string& relative) const {
    std::error_code ignored;
    return fs::exists(HostPath(*this / relative), ignored);
}

std::vector<std::string> TempFolder::List(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(HostPath(*this / relative))) {
        names.push_back(Cp932Name(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void TempFolder::MakeReadOnly(const std::string& relative, bool readOnly) const {
    fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(HostPath(*this / relative), write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

void TempFolder::Link(const std::string& existing, const std::string& link) const {
    fs::create_hard_link(HostPath(*this / existing), HostPath(*this / link));
}

}  // namespace Orvane::Test
