// Reading what a running program shows, from another process of the same Wine session: the
// texts of a dialog's controls, where they are on the screen, and which windows are shown.
#pragma once

#include <optional>
#include <string>

namespace Orvane::E2e {

// The control ID of a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

// The text of control `id` in the top-level dialog with exactly this caption (code page 932);
// nothing when there is no such dialog or control.
std::optional<std::string> DialogItemText(const std::string& caption, int id);

// "left top right bottom" of the control on the screen; nothing when it is not there.
std::optional<std::string> DialogItemRect(const std::string& caption, int id);

// How many visible top-level windows have exactly this caption.
int ShownWindowCount(const std::string& caption);

// How many visible top-level dialogs (message boxes and folder browsers included) there are.
int ShownDialogCount();

}  // namespace Orvane::E2e
