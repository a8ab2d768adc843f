#include "cli/views/progress_bar.h"

#include <algorithm>
#include <cstdio>

namespace Orvane::Cli {
namespace {

constexpr int kBarCells = 20;
constexpr char kDoneCell = '#';
constexpr char kOpenCell = ' ';

// Wide and full-width forms: Hangul Jamo, CJK symbols to Yi, Hangul, compatibility ideographs,
// vertical forms, full-width forms and signs. Half-width katakana stay narrow.
constexpr char32_t kWideRanges[][2] = {
    {0x1100, 0x115F}, {0x2E80, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
};

bool IsWide(char32_t c) {
    for (const auto& range : kWideRanges) {
        if (c >= range[0] && c <= range[1]) return true;
    }
    return false;
}

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point starting at text[at] and the number of bytes it takes.
char32_t DecodeAt(const std::string& text, std::size_t at, std::size_t& length) {
    auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    char32_t c = lead;
    int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (following > 0) c = lead & (0x3F >> following);
    for (; following > 0 && at + length < text.size(); --following, ++length) {
        auto byte = static_cast<unsigned char>(text[at + length]);
        if (!IsContinuationByte(byte)) break;
        c = (c << 6) | (byte & 0x3F);
    }
    return c;
}

// The longest prefix of text that fits in columns, ending at a character boundary.
std::string FitToColumns(const std::string& text, int columns) {
    int used = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = 0;
        int width = IsWide(DecodeAt(text, at, length)) ? 2 : 1;
        if (used + width > columns) break;
        used += width;
        at += length;
    }
    return text.substr(0, at);
}

std::string Bar(int percent) {
    int done = percent * kBarCells / 100;
    return "[" + std::string(done, kDoneCell) + std::string(kBarCells - done, kOpenCell) + "]";
}

}  // namespace

int PercentDone(const BarState& state) {
    std::int64_t span = std::int64_t{state.high} - state.low;
    if (span <= 0) return 0;
    std::int64_t done = (std::int64_t{state.position} - state.low) * 100 / span;
    return static_cast<int>(std::clamp<std::int64_t>(done, 0, 100));
}

std::string BarLine(const BarState& state, const std::string& utf8Text, int columns) {
    int percent = PercentDone(state);
    char number[8];
    std::snprintf(number, sizeof number, " %3d%% ", percent);
    std::string line = FitToColumns(Bar(percent) + number, columns);
    int left = columns - DisplayWidth(line);
    return left > 0 ? line + FitToColumns(utf8Text, left) : line;
}

int DisplayWidth(const std::string& utf8Text) {
    int width = 0;
    for (std::size_t at = 0, length = 0; at < utf8Text.size(); at += length) {
        width += IsWide(DecodeAt(utf8Text, at, length)) ? 2 : 1;
    }
    return width;
}

}  // namespace Orvane::Cli
