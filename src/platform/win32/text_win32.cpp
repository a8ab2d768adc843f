// Text conversions between UTF-16 and the system's ANSI code page (932 where the program runs).
#include <cstring>

#include "platform/os.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {

std::string WideToAnsi(const std::u16string& text) {
    // Two bytes per unit suffice for every double-byte code page, plus the terminator.
    std::size_t units = std::char_traits<char16_t>::length(text.c_str());
    std::string buffer(2 * units + 1, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.c_str()), -1,
                          buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr);
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

std::u16string AnsiToWide(const std::string& text) {
    int withTerminator = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (withTerminator <= 1) return {};
    std::u16string buffer(static_cast<std::size_t>(withTerminator), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, reinterpret_cast<wchar_t*>(buffer.data()),
                          withTerminator);
    buffer.resize(static_cast<std::size_t>(withTerminator) - 1);
    return buffer;
}

// The file systems compare names by their upper case, as the system's invariant mapping gives it
// (one unit for one unit).
std::u16string FoldNameCase(const std::string& name) {
    std::u16string wide = AnsiToWide(name);
    if (wide.empty()) return wide;
    std::u16string folded(wide.size(), u'\0');
    int length = static_cast<int>(wide.size());
    ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, reinterpret_cast<const wchar_t*>(wide.data()),
                   length, reinterpret_cast<wchar_t*>(folded.data()), length);
    return folded;
}

}  // namespace Orvane::Os
