// Texts in tests: the system works in code page 932, tests are written in UTF-8.
#pragma once

#include <string>

namespace Orvane::Test {

// UTF-8 text to code page 932 bytes.
std::string Cp932(const std::u8string& utf8);
std::string Cp932(const char8_t* utf8);
// Code page 932 bytes to UTF-8 (as a plain std::string, for readable assertion output).
std::string Utf8(const std::string& cp932);
std::string Utf8(const std::u8string& utf8);

}  // namespace Orvane::Test
