#include "author/run_folder.h"

#include <algorithm>

#include "author/path_key.h"
#include "common/failure.h"
#include "platform/os.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

constexpr char kPadding = 'x';
constexpr std::size_t kLongestPaddingName = 200;
constexpr char kRunSeparator = '\\';

// The characters a path has for the run's MAX_PATH (UTF-16 units of its code page 932 form).
std::size_t Characters(const std::string& cp932) { return Os::AnsiToWide(cp932).size(); }

// Padding of exactly count characters, as folder names each followed by '/'; nothing when
// count is 1, which no name and separator can make.
std::string Padding(std::size_t count) {
    std::string padding;
    while (count >= 2) {
        std::size_t name = std::min(count - 1, kLongestPaddingName);
        if (count - name - 1 == 1) --name;  // leave room for one more name, not a lone '/'
        padding += std::string(name, kPadding) + '/';
        count -= name + 1;
    }
    return count == 0 ? padding : std::string();
}

// The start of the run's folder: base's own path, ending in '/'; empty when code page 932
// cannot hold it.
std::string Start(const fs::path& base) {
    std::u8string utf8 = (base / "").u8string();
    std::string cp932;
    return Cp932Name(std::string(utf8.begin(), utf8.end()), cp932) ? cp932 : std::string();
}

// Start + padding of length characters, when they can be made.
bool Padded(const std::string& start, std::size_t length, std::string& folder) {
    if (start.empty() || Characters(start) > length) return false;
    std::size_t rest = length - Characters(start);
    std::string padding = Padding(rest);
    if (rest != 0 && padding.empty()) return false;
    folder = start + padding;
    return true;
}

}  // namespace

RunFolder::RunFolder(const fs::path& base, std::size_t length) {
    std::error_code error;
    fs::path real = fs::canonical(base, error);
    if (error) throw MessageFailure(kNoRunFolder);
    std::string start = Start(real);
    if (!Padded(start, length, cp932_)) {
        alias_ = std::make_unique<FolderAlias>(base);
        start = alias_->Path();
        if (!Padded(start, length, cp932_)) throw MessageFailure(kNoRunFolder);
    }
    host_ = real / fs::path(cp932_.substr(start.size()));
    fs::create_directories(host_, error);
    if (error) throw MessageFailure(kNoRunFolder);
    cp932_.back() = kRunSeparator;  // the run adds one unless the folder ends in its own
}

RunFolder::~RunFolder() = default;

}  // namespace Orvane::Author
