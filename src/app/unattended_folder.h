// The installation folder given on the command line (/DIR="FOLDER"), in UTF-16 there, as the
// program's ANSI calls and its folder box take it.
#pragma once

#include <optional>
#include <string>

namespace Orvane {

// The folder in code page 932, or nothing when code page 932 cannot hold it exactly (a
// character it lacks, or one it would only replace by a look-alike) or when it does not fit
// the folder box's 260 bytes with the terminator: a run on a substitute name would patch
// another folder.
std::optional<std::string> AnsiFolder(const std::u16string& folder);

}  // namespace Orvane
