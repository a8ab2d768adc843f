#include "app/unattended_folder.h"

#include "platform/os.h"
#include "platform/path_limit.h"

namespace Orvane {

std::optional<std::string> AnsiFolder(const std::u16string& folder) {
    if (folder.find(u'\0') != std::u16string::npos) return std::nullopt;
    std::string ansi = Os::WideToAnsi(folder);
    if (Os::AnsiToWide(ansi) != folder || ansi.size() >= Os::kMaxPath) return std::nullopt;
    return ansi;
}

}  // namespace Orvane
