#include "commands/progress_text.h"

namespace Orvane {

std::string FormatWithName(const char* format, const std::string& name) {
    std::string text = format;
    std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

}  // namespace Orvane
