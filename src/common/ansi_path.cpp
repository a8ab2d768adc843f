#include "common/ansi_path.h"

namespace Orvane::Common {

std::size_t FindLastBackslash(const std::string& path) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto byte = static_cast<std::uint8_t>(path[i]);
        if (IsLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // the trail byte is part of the character, never a separator
        } else if (byte == static_cast<std::uint8_t>(kBackslash)) {
            found = i;
        }
    }
    return found;
}

bool EndsWithBackslash(const std::string& text) {
    std::size_t last = FindLastBackslash(text);
    return last != std::string::npos && last + 1 == text.size();
}

std::string WithTrailingBackslash(const std::string& folder) {
    return EndsWithBackslash(folder) ? folder : folder + kBackslash;
}

std::string ParentFolder(const std::string& path) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {  // a separator at the end is not cut at
        auto byte = static_cast<std::uint8_t>(path[i]);
        if (IsLeadByte(byte)) {
            ++i;  // the trail byte is part of the character, never a separator
        } else if (path[i] == kBackslash || path[i] == '/') {
            cut = i;
        }
    }
    if (cut == std::string::npos) return "";
    return path.substr(0, cut == 0 ? 1 : cut);  // the root keeps its separator
}

}  // namespace Orvane::Common
