// The paths a record of a patch may name: ones the patch program takes (they stay inside the
// installation folder) and whose every name a Windows folder can hold. `diff` refuses to plan,
// and `build` to write, a record that names any other.
#pragma once

#include <string>

namespace Orvane::Author {

inline constexpr char kPathRefused[] =
    "a path that the patch program refuses (absolute, a ':' in a name, or a name of dots that "
    "climbs out of the installation folder)";
inline constexpr char kNameNotForWindows[] =
    "a name that Windows cannot hold (one of \\ / : * ? \" < > |, a control character, a "
    "trailing dot or space, or a device name such as CON, NUL, COM1 or LPT1)";

// What is wrong with a record's path (code page 932), as one of the texts above; nullptr when
// a record may name it.
const char* RecordPathFault(const std::string& path);

}  // namespace Orvane::Author
