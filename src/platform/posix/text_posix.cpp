// Text conversion with code page 932 (see cp932_table.h for how it follows Windows). Both
// directions read the text up to its first zero, as the Windows calls do with a length of -1.
#include "platform/os.h"
#include "platform/posix/cp932.h"
#include "platform/posix/name_match.h"

namespace Orvane::Os {

std::string WideToAnsi(const std::u16string& text) {
    std::u16string_view units(text);
    return Posix::Utf16ToCp932(units.substr(0, units.find(u'\0')));
}

std::u16string AnsiToWide(const std::string& text) {
    std::string_view bytes(text);
    return Posix::Cp932ToUtf16(bytes.substr(0, bytes.find('\0')));
}

// Folded with the very function by which a path finds its files (platform/posix/host_path.h).
std::u16string FoldNameCase(const std::string& name) {
    std::u16string folded = AnsiToWide(name);
    for (char16_t& unit : folded) unit = static_cast<char16_t>(Posix::FoldCase(unit));
    return folded;
}

}  // namespace Orvane::Os
