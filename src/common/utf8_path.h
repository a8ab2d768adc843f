// Paths of this system as the command line gives them, the console shows them and manifests
// hold them: UTF-8, converted by the standard library (to wide characters on Windows).
#pragma once

#include <filesystem>
#include <string>

namespace Orvane::Common {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace Orvane::Common
