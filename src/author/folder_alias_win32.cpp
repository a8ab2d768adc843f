#include "author/folder_alias.h"

#include "platform/win32/win32_api.h"

namespace Orvane::Author {
namespace {

// Drive letters are tried from the end of the alphabet, where the fewest drives are.
constexpr wchar_t kLastLetter = L'Z';
constexpr wchar_t kFirstLetter = L'D';

std::wstring DriveName(wchar_t letter) { return std::wstring{letter, L':'}; }

}  // namespace

// A drive letter of this session that is no other drive names the folder, as `subst` makes
// one: "Q:\" is the shortest path a run can take to it. Wine keeps such a letter
// for device names only and does not resolve it for files.
FolderAlias::FolderAlias(const std::filesystem::path& folder) {
    DWORD drives = ::GetLogicalDrives();
    for (wchar_t letter = kLastLetter; letter >= kFirstLetter; --letter) {
        if ((drives & (1u << (letter - L'A'))) != 0) continue;
        if (!::DefineDosDeviceW(0, DriveName(letter).c_str(), folder.c_str())) continue;
        descriptor_ = letter;
        path_ = std::string{static_cast<char>(letter), ':', '\\'};
        return;
    }
}

FolderAlias::~FolderAlias() {
    if (descriptor_ < 0) return;
    ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, DriveName(static_cast<wchar_t>(descriptor_)).c_str(),
                       nullptr);
}

}  // namespace Orvane::Author
