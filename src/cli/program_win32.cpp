#include "cli/program.h"

#include "common/utf8_path.h"
#include "platform/win32/win32_api.h"

#include <shellapi.h>

namespace Orvane::Cli {
namespace {

constexpr DWORD kLongestPath = 32768;

}  // namespace

// argv holds the arguments in the ANSI code page, which cannot hold every name; the wide
// command line can. Output is UTF-8 bytes: a console is told so, a file or pipe takes them as
// they are.
Arguments ProgramArguments(int, char**) {
    ::SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    Arguments arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(Common::Utf8FromPath(std::filesystem::path(wide[i])));
    }
    ::LocalFree(wide);
    return arguments;
}

std::optional<std::filesystem::path> ProgramFile() {
    std::wstring path(kLongestPath, L'\0');
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) return std::nullopt;
    path.resize(length);
    return std::filesystem::path(path);
}

}  // namespace Orvane::Cli
