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

namespace {

// The position of the last '\' or '/' that is a character of its own among the first `end`
// bytes of path, or npos.
std::size_t LastSeparator(const std::string& path, std::size_t end) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < end; ++i) {
        auto byte = static_cast<std::uint8_t>(path[i]);
        if (IsLeadByte(byte)) {
            ++i;  // the trail byte is part of the character, never a separator
        } else if (path[i] == kBackslash || path[i] == '/') {
            cut = i;
        }
    }
    return cut;
}

}  // namespace

std::string ParentFolder(const std::string& path) {
    if (path.empty()) return "";
    std::size_t cut = LastSeparator(path, path.size() - 1);  // a separator at the end is not cut at
    if (cut == std::string::npos) return "";
    return path.substr(0, cut == 0 ? 1 : cut);  // the root keeps its separator
}

std::string FolderHoldingFile(const std::string& path) {
    std::size_t cut = LastSeparator(path, path.size());
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace Orvane::Common
