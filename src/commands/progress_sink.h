// What the run driver and the commands see of the progress display: a text, a bar with a
// range and a position, a message pump and a Cancel request.
//
// RememberingProgressSink holds the rules every display follows: a text, range or position
// equal to the one last sent is not sent again and costs no pump; a changed one is shown, then
// messages are pumped, then it is remembered. The display itself implements the Show* calls.
#pragma once

#include <cstdint>
#include <string>

namespace Orvane {

// What a run that stops at a Cancel request reports.
inline constexpr char kCancelled[] = "キャンセルボタンが押されたので終了します！";

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetRange(std::int32_t low, std::int32_t high) = 0;
    virtual void SetPos(std::int32_t position) = 0;
    // Handles what is pending for the user interface; never waits.
    virtual void PumpMessages() = 0;
    // Whether Cancel was requested since the last call; clears the request.
    virtual bool TakeCancelRequest() = 0;
};

class RememberingProgressSink : public ProgressSink {
public:
    void SetText(const std::string& text) final;
    void SetRange(std::int32_t low, std::int32_t high) final;
    void SetPos(std::int32_t position) final;
    bool TakeCancelRequest() final;

    // Sets the request, as the display's Cancel button does.
    void RequestCancel() { cancelRequested_ = true; }

protected:
    // The remembered values start as range (0, 0), position 0 and an empty text, whatever the
    // display shows at first; a display resets them when its window is (re)initialised.
    void ResetRemembered();

    virtual void ShowText(const std::string& text) = 0;
    virtual void ShowRange(std::int32_t low, std::int32_t high) = 0;
    virtual void ShowPos(std::int32_t position) = 0;

private:
    bool cancelRequested_ = false;
    std::int32_t low_ = 0;
    std::int32_t high_ = 0;
    std::int32_t position_ = 0;
    std::string text_;
};

}  // namespace Orvane
