#include "author/record_path.h"

#include "commands/safe_path.h"
#include "commands/windows_name.h"

namespace Orvane::Author {

const char* RecordPathFault(const std::string& path) {
    if (!IsInsideFolder(path)) return kPathRefused;
    if (!HasWindowsNames(path)) return kNameNotForWindows;
    return nullptr;
}

}  // namespace Orvane::Author
