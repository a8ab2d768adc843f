#include <io.h>

#include "cli/views/console_progress.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Cli {
namespace {

HANDLE HandleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
}

}  // namespace

// The bar redraws its line with escape sequences: a console that cannot take them (before
// Windows 10) gets the lines, as a file or pipe does.
ProgressStyle StyleFor(std::FILE* stream) {
    HANDLE console = HandleOf(stream);
    DWORD mode = 0;
    if (!::GetConsoleMode(console, &mode)) return ProgressStyle::Lines;
    if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
        ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
        return ProgressStyle::Bar;
    }
    return ProgressStyle::Lines;
}

int TerminalColumns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(HandleOf(stream), &info)) return kDefaultColumns;
    int columns = info.srWindow.Right - info.srWindow.Left + 1;
    return columns > 0 ? columns : kDefaultColumns;
}

}  // namespace Orvane::Cli
