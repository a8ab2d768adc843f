// Paths of this system as the command line gives them and the console shows them: UTF-8.
#pragma once

#include <filesystem>
#include <string>

namespace Orvane::Cli {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace Orvane::Cli
