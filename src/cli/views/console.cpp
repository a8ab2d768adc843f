#include "cli/views/console.h"

#include "common/utf8.h"

namespace Orvane::Cli {

void PrintAnsiLine(std::FILE* stream, const std::string& ansi) {
    PrintLine(stream, Common::Utf8FromAnsi(ansi));
}

void PrintLine(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace Orvane::Cli
