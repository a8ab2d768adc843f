#include "support/text.h"

#include "common/utf8.h"

namespace Orvane::Test {

std::string Cp932(const std::u8string& utf8) {
    return Common::AnsiFromUtf8(std::string(utf8.begin(), utf8.end()));
}

std::string Cp932(const char8_t* utf8) { return Cp932(std::u8string(utf8)); }

std::string Utf8(const std::string& cp932) { return Common::Utf8FromAnsi(cp932); }

std::string Utf8(const std::u8string& utf8) { return std::string(utf8.begin(), utf8.end()); }

}  // namespace Orvane::Test
