#include "platform/posix/name_match.h"

#include <cstddef>
#include <vector>

namespace Orvane::Os::Posix {
namespace {

// A lower-case range and the distance to its upper-case letters.
struct CaseRange {
    char32_t first;
    char32_t last;
    char32_t toUpper;
};

constexpr CaseRange kCaseRanges[] = {
    {U'a', U'z', 0x20},            // ASCII
    {U'\u00E0', U'\u00FE', 0x20},  // Latin-1 (except U+00F7, below)
    {U'\u03B1', U'\u03C9', 0x20},  // Greek (except final sigma, below)
    {U'\u0430', U'\u044F', 0x20},  // Cyrillic
    {U'\u0450', U'\u045F', 0x50},  // Cyrillic with diacritics (ё)
    {U'\u2170', U'\u217F', 0x10},  // small Roman numerals
    {U'\uFF41', U'\uFF5A', 0x20},  // full-width Latin
};

constexpr char32_t kDivisionSign = U'\u00F7';
constexpr char32_t kFinalSigma = U'\u03C2';
constexpr char32_t kCapitalSigma = U'\u03A3';
constexpr char32_t kAnyRun = U'*';
constexpr char32_t kAnyCharacter = U'?';
constexpr std::string_view kWildcards = "*?";
constexpr char32_t kInvalidByteBase = 0xDC00;  // a byte that is not UTF-8 stands for itself here

std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

char32_t NextCodePoint(std::string_view& text) {
    unsigned char lead = static_cast<unsigned char>(text.front());
    std::size_t length = SequenceLength(lead);
    bool valid = length != 0 && length <= text.size();
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; valid && i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[i]);
        valid = (next & 0xC0) == 0x80;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (!valid) {
        text.remove_prefix(1);
        return kInvalidByteBase + lead;
    }
    text.remove_prefix(length);
    return codePoint;
}

std::vector<char32_t> FoldedCodePoints(std::string_view text) {
    std::vector<char32_t> folded;
    while (!text.empty()) folded.push_back(FoldCase(NextCodePoint(text)));
    return folded;
}

// Glob matching with one backtracking point: the last '*' seen.
bool Matches(const std::vector<char32_t>& pattern, const std::vector<char32_t>& name) {
    std::size_t p = 0, n = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == kAnyCharacter || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == kAnyRun) {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == kAnyRun) ++p;
    return p == pattern.size();
}

}  // namespace

char32_t FoldCase(char32_t codePoint) {
    if (codePoint == kFinalSigma) return kCapitalSigma;
    if (codePoint == kDivisionSign) return codePoint;
    for (const auto& range : kCaseRanges) {
        if (codePoint >= range.first && codePoint <= range.last) return codePoint - range.toUpper;
    }
    return codePoint;
}

// Compared as it is decoded: a folder of thousands of names is compared against often, and
// most names differ in their first characters.
std::u32string FoldedName(std::string_view name) {
    std::vector<char32_t> folded = FoldedCodePoints(name);
    return std::u32string(folded.begin(), folded.end());
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    while (!a.empty() && !b.empty()) {
        if (FoldCase(NextCodePoint(a)) != FoldCase(NextCodePoint(b))) return false;
    }
    return a.empty() && b.empty();
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    constexpr std::string_view kAnyExtension = ".*";
    std::vector<char32_t> folded = FoldedCodePoints(name);
    if (Matches(FoldedCodePoints(pattern), folded)) return true;
    if (!pattern.ends_with(kAnyExtension)) return false;
    pattern.remove_suffix(kAnyExtension.size());
    return Matches(FoldedCodePoints(pattern), folded);
}

bool HasWildcard(std::string_view name) {
    return name.find_first_of(kWildcards) != std::string_view::npos;
}

}  // namespace Orvane::Os::Posix
