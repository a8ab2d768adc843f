#include "cli/install/wine_registry.h"

#include <fstream>
#include <vector>

#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kEscape = '\\';
constexpr char kKeyOpen = '[';
constexpr char kKeyClose = ']';
constexpr char kQuote = '"';
constexpr char kDefaultValueName = '@';
constexpr char kContinuation = '\\';
constexpr char16_t kKeySeparator = u'\\';

// How each kind of string value starts behind its "=".
constexpr std::string_view kStringPrefixes[] = {"\"", "str:\"", "str(1):\"", "str(2):\""};
constexpr std::string_view kHexStringPrefixes[] = {"hex(1):", "hex(2):"};

// "\a" to "\e": the control characters that C escapes name.
char16_t ControlEscape(char c) {
    switch (c) {
        case 'a': return u'\a';
        case 'b': return u'\b';
        case 'e': return 0x1B;
        case 'f': return u'\f';
        case 'n': return u'\n';
        case 'r': return u'\r';
        case 't': return u'\t';
        case 'v': return u'\v';
        default: return static_cast<unsigned char>(c);
    }
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Up to maxDigits digits of base at text[at]; the unit goes to out. Returns the digits read.
std::size_t ReadNumber(std::string_view text, std::size_t at, int base, std::size_t maxDigits,
                       std::u16string& out) {
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (; digits < maxDigits && at + digits < text.size(); ++digits) {
        int digit = DigitValue(text[at + digits], base);
        if (digit < 0) break;
        value = value * base + digit;
    }
    if (digits > 0) out += static_cast<char16_t>(value);
    return digits;
}

// Decodes the escape whose letter is at text[at] into out; returns the position behind it.
std::size_t UnescapeAt(std::string_view text, std::size_t at, std::u16string& out) {
    char c = text[at];
    if (c == 'x') {
        std::size_t digits = ReadNumber(text, at + 1, 16, 4, out);
        if (digits == 0) out += u'x';
        return at + 1 + digits;
    }
    if (DigitValue(c, 8) >= 0) return at + ReadNumber(text, at, 8, 3, out);
    out += ControlEscape(c);
    return at + 1;
}

char16_t FoldCase(char16_t c) {
    bool lowerLatin = (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
    bool lowerGreekOrCyrillic = (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F);
    bool lowerFullWidth = c >= 0xFF41 && c <= 0xFF5A;
    if (lowerLatin || lowerGreekOrCyrillic || lowerFullWidth) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

std::u16string Folded(std::u16string_view text) {
    std::u16string folded;
    for (char16_t c : text) folded += FoldCase(c);
    return folded;
}

// The key's components, case folded; empty components (doubled separators) do not count.
std::vector<std::u16string> KeyComponents(std::u16string_view key) {
    std::vector<std::u16string> components;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find(kKeySeparator, start);
        if (end == std::u16string_view::npos) end = key.size();
        if (end > start) components.push_back(Folded(key.substr(start, end - start)));
        start = end + 1;
    }
    return components;
}

// The line with the lines that continue it ("\" at the end) joined to it.
bool ReadLogicalLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string next;
    while (!line.empty() && line.back() == kContinuation && std::getline(in, next)) {
        line.pop_back();
        if (!next.empty() && next.back() == '\r') next.pop_back();
        line += next.substr(std::min(next.find_first_not_of(" \t"), next.size()));
    }
    return true;
}

// hex(1)/hex(2) data: comma-separated bytes of UTF-16LE text. A Windows program takes it only
// when its last unit is zero, and then up to its first zero unit; empty data is an empty text.
std::optional<std::u16string> HexString(std::string_view data) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 0; at < data.size();) {
        int high = DigitValue(data[at], 16);
        int low = at + 1 < data.size() ? DigitValue(data[at + 1], 16) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        at += 2;
        if (at < data.size() && data[at] == ',') ++at;
    }
    if (bytes.empty()) return std::u16string();
    if (bytes.size() % 2 != 0 || bytes[bytes.size() - 2] != 0 || bytes.back() != 0) return std::nullopt;
    std::u16string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        text += static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
    }
    return text.substr(0, text.find(u'\0'));
}

// The data behind "=" when it is a string value.
std::optional<std::u16string> StringData(std::string_view data) {
    for (std::string_view prefix : kStringPrefixes) {
        if (!data.starts_with(prefix)) continue;
        std::size_t consumed = 0;
        auto text = UnescapeRegistryText(data.substr(prefix.size()), kQuote, &consumed);
        if (text) text->resize(std::min(text->find(u'\0'), text->size()));
        return text;
    }
    for (std::string_view prefix : kHexStringPrefixes) {
        if (data.starts_with(prefix)) return HexString(data.substr(prefix.size()));
    }
    return std::nullopt;
}

// A value line's name, with *dataStart set behind its "="; nothing for other lines.
std::optional<std::u16string> ValueName(std::string_view line, std::size_t* dataStart) {
    std::optional<std::u16string> name;
    std::size_t consumed = 1;
    if (line.starts_with(kDefaultValueName)) {
        name = std::u16string();
    } else if (line.starts_with(kQuote)) {
        name = UnescapeRegistryText(line.substr(1), kQuote, &consumed);
        ++consumed;
    }
    if (!name || consumed >= line.size() || line[consumed] != '=') return std::nullopt;
    *dataStart = consumed + 1;
    return name;
}

// The key a section line opens; nothing for other lines.
std::optional<std::u16string> SectionKey(std::string_view line) {
    if (!line.starts_with(kKeyOpen)) return std::nullopt;
    std::size_t consumed = 0;
    return UnescapeRegistryText(line.substr(1), kKeyClose, &consumed);
}

}  // namespace

std::optional<std::u16string> UnescapeRegistryText(std::string_view text, char closing,
                                                   std::size_t* consumed) {
    std::u16string out;
    std::string plain;  // unescaped bytes, decoded as UTF-8 together
    for (std::size_t at = 0; at < text.size();) {
        char c = text[at];
        if (c != kEscape && c != closing) {
            plain += c;
            ++at;
            continue;
        }
        out += Common::Utf16FromUtf8(plain);
        plain.clear();
        if (c == closing) {
            *consumed = at + 1;
            return out;
        }
        if (++at == text.size()) break;
        at = UnescapeAt(text, at, out);
    }
    return std::nullopt;
}

std::optional<std::u16string> FindRegistryString(std::istream& userReg,
                                                 const std::u16string& keyPath,
                                                 const std::u16string& valueName) {
    const std::vector<std::u16string> wantedKey = KeyComponents(keyPath);
    const std::u16string wantedValue = Folded(valueName);
    bool inKey = false;
    std::string line;
    while (ReadLogicalLine(userReg, line)) {
        if (auto key = SectionKey(line)) {
            inKey = KeyComponents(*key) == wantedKey;
            continue;
        }
        std::size_t dataStart = 0;
        auto name = inKey ? ValueName(line, &dataStart) : std::nullopt;
        if (name && Folded(*name) == wantedValue) {
            return StringData(std::string_view(line).substr(dataStart));
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> ReadRegistryString(const std::filesystem::path& userReg,
                                                 const std::u16string& keyPath,
                                                 const std::u16string& valueName) {
    std::ifstream in(userReg, std::ios::binary);
    if (!in) return std::nullopt;
    return FindRegistryString(in, keyPath, valueName);
}

}  // namespace Orvane::Cli
