#include "cli/diff/temporary_entries.h"

#include "platform/win32/win32_api.h"

namespace Orvane::Cli {
namespace {

constexpr wchar_t kAsideSuffix[] = L"-aside";

Creation Outcome(bool made) {
    if (made) return Creation::Made;
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Creation::NameTaken
                                                                       : Creation::Failed;
}

}  // namespace

Creation MakeMarkedFile(const std::filesystem::path& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    Creation creation = Outcome(file != INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return creation;
}

Creation MakeMarkedFolder(const std::filesystem::path& path) {
    return Outcome(::CreateDirectoryW(path.c_str(), nullptr));
}

bool IsLeftoverEntry(const std::filesystem::path&) { return false; }

void DropMark(const std::filesystem::path&) {}

// `to` goes aside, `from` takes its place, and what was at `to` takes the name `from`; a
// failure in between puts `to` back.
bool ExchangeFolders(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::path aside = from;
    aside += kAsideSuffix;
    if (!::MoveFileW(to.c_str(), aside.c_str())) return false;
    if (!::MoveFileW(from.c_str(), to.c_str())) {
        ::MoveFileW(aside.c_str(), to.c_str());
        return false;
    }
    return ::MoveFileW(aside.c_str(), from.c_str()) != 0;
}

}  // namespace Orvane::Cli
