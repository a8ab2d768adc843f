#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/views/console_progress.h"

namespace Orvane::Cli {

ProgressStyle StyleFor(std::FILE* stream) {
    return isatty(fileno(stream)) ? ProgressStyle::Bar : ProgressStyle::Lines;
}

int TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kDefaultColumns;
    return size.ws_col;
}

}  // namespace Orvane::Cli
