#include "common/text_encoding.h"

#include <optional>

#include "platform/os.h"

namespace Orvane::Common {

std::string ToAnsi(const char16_t* text) {
    if (text == nullptr) return {};
    return Os::WideToAnsi(std::u16string(text));
}

std::string ToAnsi(const std::u16string& text) { return Os::WideToAnsi(text); }

std::vector<char16_t> ToUtf16(const std::string& text) {
    // The text ends at its first zero byte, as the platform reads it.
    std::u16string wide = Os::AnsiToWide(std::string(text.c_str()));
    return std::vector<char16_t>(wide.begin(), wide.end());
}

namespace {

// The units before the first zero unit as code page 932 text, when every one of them is ASCII
// (which code page 932 keeps as it is); nothing otherwise. Most names in archives are ASCII,
// and this spares them the conversion through the platform.
std::optional<std::string> AsciiFromUtf16Bytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    text.reserve(count / 2);
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        if (bytes[i + 1] != 0 || bytes[i] >= 0x80) return std::nullopt;
        if (bytes[i] == 0) return text;
        text.push_back(static_cast<char>(bytes[i]));
    }
    if (count % 2 != 0 && bytes[count - 1] != 0) return std::nullopt;
    return text;
}

}  // namespace

std::string AnsiFromUtf16Bytes(const std::uint8_t* bytes, std::size_t count) {
    if (std::optional<std::string> ascii = AsciiFromUtf16Bytes(bytes, count)) return *ascii;
    std::u16string text;
    text.reserve(count / 2 + 1);
    for (std::size_t i = 0; i < count; i += 2) {
        char16_t unit = bytes[i];
        if (i + 1 < count) unit = static_cast<char16_t>(unit | (bytes[i + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return Os::WideToAnsi(text);
}

std::vector<std::uint8_t> Utf16BytesFromAnsi(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : ToUtf16(text)) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

}  // namespace Orvane::Common
