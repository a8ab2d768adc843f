// Text conversion with code page 932 (see cp932.h for how it follows Windows).
#include "platform/os.h"
#include "platform/posix/cp932.h"

namespace Orvane::Os {

std::string WideToAnsi(const std::u16string& text) {
    std::u16string_view units(text);
    return Posix::Utf16ToCp932(units.substr(0, units.find(u'\0')));
}

std::u16string AnsiToWide(const std::string& text) { return Posix::Cp932ToUtf16(text); }

}  // namespace Orvane::Os
