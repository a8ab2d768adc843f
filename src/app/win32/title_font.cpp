#include "app/win32/title_font.h"

namespace Orvane::Win32 {
namespace {

// A negative height asks for the character height (without internal leading) in pixels.
constexpr LONG kTitleFontHeight = -14;

}  // namespace

void EnlargeControlFont(HWND dialog, int controlId) {
    auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    if (::GetObjectA(dialogFont, sizeof font, &font) != sizeof font) return;
    font.lfHeight = kTitleFontHeight;
    HFONT titleFont = ::CreateFontIndirectA(&font);
    ::SendDlgItemMessageA(dialog, controlId, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont),
                          TRUE);
}

}  // namespace Orvane::Win32
