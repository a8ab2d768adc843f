// String values of the current user's registry hive of a Wine prefix, read from its text file
// user.reg, the way a Windows program running in the prefix would read them.
//
//   [Software\\Orvane\\Game] 1700000000          a key, relative to HKEY_CURRENT_USER
//   #time=1d9...
//   "Install"="C:\\\x30b2\x30fc\x30e0"          REG_SZ
//   "Other"=str(2):"%TEMP%\\x"                   REG_EXPAND_SZ
//
// Key and value names and string data are escaped alike: "\\" and "\"" (and "\[", "\]"),
// C escapes such as "\n", "\x" with up to four hex digits of a UTF-16 unit, and "\" with up to
// three octal digits. Names are found without regard to case, as Windows finds them.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace Orvane::Cli {

// The string value valueName under keyPath ('\' between components) up to its first zero
// unit; nothing when the key or the value is missing or the value is not a string (REG_SZ or
// REG_EXPAND_SZ, which is returned unexpanded).
std::optional<std::u16string> FindRegistryString(std::istream& userReg,
                                                 const std::u16string& keyPath,
                                                 const std::u16string& valueName);
// The same for a user.reg file; nothing when it cannot be read.
std::optional<std::u16string> ReadRegistryString(const std::filesystem::path& userReg,
                                                 const std::u16string& keyPath,
                                                 const std::u16string& valueName);

// One escaped text of user.reg, from the start of text up to the first unescaped `closing`
// character; *consumed gets the number of characters read, the closing one included. Nothing
// when the text ends first.
std::optional<std::u16string> UnescapeRegistryText(std::string_view text, char closing,
                                                   std::size_t* consumed);

}  // namespace Orvane::Cli
