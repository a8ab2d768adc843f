// Records the messages that windows of the test receive, in the order they arrive, by
// subclassing them. Used to see what a dialog sends to its controls and when it pumps.
#pragma once

#include <vector>

#include "app/win32/windows_ui.h"

namespace Orvane::Test {

struct SpiedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageSpy {
public:
    MessageSpy() = default;
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;
    ~MessageSpy();

    // Records the given messages of window from now on.
    void Watch(HWND window, std::vector<UINT> messages);
    const std::vector<SpiedMessage>& Log() const { return log_; }
    void Clear() { log_.clear(); }

private:
    struct Watched {
        HWND window;
        WNDPROC original;
        std::vector<UINT> messages;
    };
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<Watched> watched_;
    std::vector<SpiedMessage> log_;
};

}  // namespace Orvane::Test
