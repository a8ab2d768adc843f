#include "common/utf8.h"

#include "platform/os.h"
#include "platform/utf8_code_points.h"

namespace Orvane::Common {

std::u16string Utf16FromUtf8(const std::string& in) {
    std::u16string out;
    out.reserve(in.size());
    for (std::size_t at = 0; at < in.size();) Os::AppendUtf16(out, Os::NextUtf8CodePoint(in, at));
    return out;
}

std::string Utf8FromUtf16(const std::u16string& in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t at = 0; at < in.size();) Os::AppendUtf8(out, Os::NextUtf16CodePoint(in, at));
    return out;
}

std::string Utf8FromAnsi(const std::string& ansi) { return Utf8FromUtf16(Os::AnsiToWide(ansi)); }

std::string AnsiFromUtf8(const std::string& utf8) { return Os::WideToAnsi(Utf16FromUtf8(utf8)); }

std::optional<std::string> ExactAnsiFromUtf8(const std::string& utf8) {
    std::string ansi = AnsiFromUtf8(utf8);
    if (Utf8FromAnsi(ansi) != utf8) return std::nullopt;
    return ansi;
}

}  // namespace Orvane::Common
