#include "author/path_key.h"

#include "common/utf8.h"
#include "platform/os.h"

namespace Orvane::Author {

std::u16string PathKey(const std::string& cp932Path) {
    std::u16string key = Os::FoldNameCase(cp932Path);
    for (char16_t& unit : key) {
        if (unit == u'/') unit = u'\\';
    }
    return key;
}

bool Cp932Name(const std::string& utf8, std::string& cp932) {
    if (utf8.find('\0') != std::string::npos) return false;
    std::optional<std::string> exact = Common::ExactAnsiFromUtf8(utf8);
    if (exact) cp932 = *exact;
    return exact.has_value();
}

}  // namespace Orvane::Author
