#include "cli/toml_text.h"

#include <cstdio>

namespace Orvane::Cli {
namespace {

constexpr char kDelete = 0x7F;

std::string Escaped(char c) {
    switch (c) {
        case '"': return "\\\"";
        case '\\': return "\\\\";
        case '\b': return "\\b";
        case '\t': return "\\t";
        case '\n': return "\\n";
        case '\f': return "\\f";
        case '\r': return "\\r";
        default: break;
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
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{stamp.year},
                  unsigned{stamp.month}, unsigned{stamp.day}, unsigned{stamp.hour},
                  unsigned{stamp.minute}, unsigned{stamp.second});
    return text;
}

}  // namespace Orvane::Cli
