#include "message_spy.h"

#include <algorithm>

namespace Orvane::Test {
namespace {

// One spy at a time: the window procedure finds it here.
MessageSpy* activeSpy = nullptr;

}  // namespace

MessageSpy::~MessageSpy() {
    for (const Watched& watched : watched_) {
        if (::IsWindow(watched.window)) {
            ::SetWindowLongPtrA(watched.window, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(watched.original));
        }
    }
    if (activeSpy == this) activeSpy = nullptr;
}

void MessageSpy::Watch(HWND window, std::vector<UINT> messages) {
    activeSpy = this;
    auto original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageSpy::Procedure)));
    watched_.push_back({window, original, std::move(messages)});
}

LRESULT CALLBACK MessageSpy::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = std::find_if(activeSpy->watched_.begin(), activeSpy->watched_.end(),
                              [window](const Watched& w) { return w.window == window; });
    if (found == activeSpy->watched_.end()) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    const Watched& watched = *found;
    if (std::find(watched.messages.begin(), watched.messages.end(), message) !=
        watched.messages.end()) {
        activeSpy->log_.push_back({window, message, wParam, lParam});
    }
    return ::CallWindowProcA(watched.original, window, message, wParam, lParam);
}

}  // namespace Orvane::Test
