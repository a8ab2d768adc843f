// How paths of a release are matched between releases: without regard to case, the way the
// patch program finds an installed file (on Linux the platform layer folds case exactly so,
// see platform/posix/name_match.h), and with '\' and '/' as the same separator.
#pragma once

#include <string>

namespace Orvane::Author {

// The key under which a code page 932 path is compared. Keys sort bytewise, so that a plan
// made from them comes out in the same order whatever order the disk lists names in.
std::u16string PathKey(const std::string& cp932Path);

// The code page 932 form of a name as this system spells it (UTF-8), or nothing when code
// page 932 cannot hold it exactly (the patch program could not name the file).
bool Cp932Name(const std::string& utf8, std::string& cp932);

}  // namespace Orvane::Author
