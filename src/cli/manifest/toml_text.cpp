#include "cli/manifest/toml_text.h"

#include <cstdio>

#include "cli/views/info_text.h"

namespace Orvane::Cli {
namespace {

constexpr char kDelete = 0x7F;
constexpr std::size_t kDateLength = 10;

std::string Escaped(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\b':
            return "\\b";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\f':
            return "\\f";
        case '\r':
            return "\\r";
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == kDelete) {
        char code[8];
        std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned char>(c));
        return code;
    }
    return std::string(1, c);
}

}  // namespace

std::string TomlString(const std::string& utf8) {
    std::string quoted = "\"";
    for (char c : utf8) quoted += Escaped(c);
    return quoted + "\"";
}

std::string TomlDateTime(const TimeStamp& stamp) {
    std::string text = FormatTimeStamp(stamp);
    text[kDateLength] = 'T';  // "2024-03-05 14:30:00" becomes "2024-03-05T14:30:00"
    return text;
}

}  // namespace Orvane::Cli
