// The platform's folder browser, for choosing the installation folder.
#pragma once

#include <optional>
#include <string>

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

inline constexpr char kChooseFolderTitle[] = "フォルダを選択してください";

// Shows the browser owned by owner with `initial` selected (when it names a folder). The chosen
// folder's file-system path; nothing when the user cancelled or the choice has no such path.
// Needs the component runtime on this thread (CoInitialize).
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& initial);

}  // namespace Orvane::Win32
