#include "platform/utf8_code_points.h"

#include <optional>

namespace Orvane::Os {
namespace {

constexpr char32_t kLargestCodePoint = 0x10FFFF;

constexpr bool IsSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDFFF; }
constexpr bool IsHighSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t value) { return value >= 0xDC00 && value <= 0xDFFF; }

constexpr bool IsScalarValue(char32_t value) {
    return value <= kLargestCodePoint && !IsSurrogate(value);
}

// How many bytes a sequence that starts with this byte has; 0 for a byte that starts none
// (a continuation byte, or C0, C1, F5..FF, which only start overlong or too large values).
constexpr std::size_t Utf8SequenceLength(unsigned char first) {
    if (first < 0x80) return 1;
    if (first >= 0xC2 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xF0 && first <= 0xF4) return 4;
    return 0;
}

// The smallest code point that needs a sequence of each length: below it the form is overlong.
constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
constexpr unsigned char kLeadMarks[] = {0x00, 0xC0, 0xE0, 0xF0};

// The value of the multi-byte sequence of the given length at text[at]; none where it is
// malformed.
std::optional<char32_t> DecodeUtf8Sequence(std::string_view text, std::size_t at,
                                           std::size_t length) {
    if (length == 0 || text.size() - at < length) return std::nullopt;
    char32_t value = static_cast<unsigned char>(text[at]) & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = value << 6 | (next & 0x3F);
    }
    if (value < kSmallestOfLength[length] || !IsScalarValue(value)) return std::nullopt;
    return value;
}

}  // namespace

char32_t NextUtf8CodePoint(std::string_view text, std::size_t& at) {
    auto first = static_cast<unsigned char>(text[at]);
    if (first < 0x80) {
        ++at;
        return first;
    }
    std::size_t length = Utf8SequenceLength(first);
    std::optional<char32_t> value = DecodeUtf8Sequence(text, at, length);
    at += value ? length : 1;
    return value.value_or(kReplacementCharacter);
}

char32_t NextUtf16CodePoint(std::u16string_view text, std::size_t& at) {
    char32_t unit = text[at++];
    if (!IsSurrogate(unit)) return unit;
    if (IsHighSurrogate(unit) && at < text.size() && IsLowSurrogate(text[at])) {
        return 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00);
    }
    return kReplacementCharacter;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (!IsScalarValue(codePoint)) codePoint = kReplacementCharacter;
    std::size_t continuations = codePoint < 0x80      ? 0
                                : codePoint < 0x800   ? 1
                                : codePoint < 0x10000 ? 2
                                                      : 3;
    out += static_cast<char>(kLeadMarks[continuations] | codePoint >> (6 * continuations));
    for (std::size_t i = continuations; i-- > 0;) {
        out += static_cast<char>(0x80 | ((codePoint >> (6 * i)) & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
    if (!IsScalarValue(codePoint)) codePoint = kReplacementCharacter;
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
        return;
    }
    out += HighSurrogate(codePoint);
    out += LowSurrogate(codePoint);
}

}  // namespace Orvane::Os
