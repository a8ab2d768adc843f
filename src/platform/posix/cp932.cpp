#include "platform/posix/cp932.h"

#include <vector>

#include "platform/utf8_code_points.h"

namespace Orvane::Os::Posix {
namespace {

const std::vector<Cp932Code>& Encoding() {
    static const std::vector<Cp932Code> codes = Cp932EncodingOf(kCp932Table);
    return codes;
}

char16_t PairUnit(unsigned char lead, unsigned char trail) {
    if (trail < kCp932FirstTrail) return kCp932DefaultWide;
    char16_t unit = kCp932Table.leadRows[Cp932LeadRow(lead)][trail - kCp932FirstTrail];
    return unit != 0 ? unit : kCp932DefaultWide;
}

// Hands each character of the text to take, as MultiByteToWideChar reads it.
template <typename Take>
void DecodeCp932(std::string_view text, Take take) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto byte = static_cast<unsigned char>(text[at]);
        bool pair = IsCp932LeadByte(byte) && at + 1 < text.size() && text[at + 1] != '\0';
        take(pair ? PairUnit(byte, static_cast<unsigned char>(text[++at]))
                  : kCp932Table.singleBytes[byte]);
    }
}

void AppendUnit(std::string& out, const std::vector<Cp932Code>& codes, char16_t unit) {
    Cp932Code code = codes[unit];
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

std::u16string Cp932ToUtf16(std::string_view cp932) {
    std::u16string out;
    out.reserve(cp932.size());
    DecodeCp932(cp932, [&out](char16_t unit) { out += unit; });
    return out;
}

std::string Utf16ToCp932(std::u16string_view utf16) {
    const std::vector<Cp932Code>& codes = Encoding();
    std::string out;
    out.reserve(2 * utf16.size());
    for (char16_t unit : utf16) AppendUnit(out, codes, unit);
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);  // 3 UTF-8 bytes for each 2-byte character
    DecodeCp932(cp932, [&out](char16_t unit) { AppendUtf8(out, unit); });
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    const std::vector<Cp932Code>& codes = Encoding();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t codePoint = NextUtf8CodePoint(utf8, at);
        if (codePoint <= 0xFFFF) {
            AppendUnit(out, codes, static_cast<char16_t>(codePoint));
            continue;
        }
        AppendUnit(out, codes, HighSurrogate(codePoint));
        AppendUnit(out, codes, LowSurrogate(codePoint));
    }
    return out;
}

}  // namespace Orvane::Os::Posix
