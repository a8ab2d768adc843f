// What Windows' own code page 932 conversion gives (MultiByteToWideChar, WideCharToMultiByte,
// code page 932, flags 0), asked one character at a time, in the form of Os::Posix::Cp932Table.
// Windows only.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/cp932_table.h"

namespace Orvane::Tools {

struct MeasuredCp932 {
    std::u16string singleBytes;               // 256 units
    std::vector<std::u16string> leadRows;     // kCp932LeadCount rows of kCp932RowLength units
    std::vector<Os::Posix::Cp932Code> codes;  // 65,536: what each unit on its own encodes to
    // Where Windows does not convert as the table's reading rules say (cp932_table.h); a table
    // made from such answers would not reproduce it.
    std::vector<std::string> misfits;
};

MeasuredCp932 MeasureCp932();

// "Wine" and its version where the program runs under Wine, otherwise "Windows".
std::string SystemName();

}  // namespace Orvane::Tools
