// A recording progress display that lets a test act while a command runs: when a text or a
// position is shown, or on every pump.
#pragma once

#include <functional>
#include <string>

#include "common/failure.h"
#include "support/recording_progress.h"

namespace Orvane::Test {

class HookedProgress : public RecordingProgress {
public:
    std::function<void(const std::string&)> onText;
    std::function<void(std::int32_t)> onPos;
    std::function<void()> onPump;

    void PumpMessages() override {
        RecordingProgress::PumpMessages();
        if (onPump) onPump();
    }

    // Makes the next SetPos(0), SetRange and SetText of a command visible, as after an earlier
    // command, and forgets what was recorded so far.
    void Dirty() {
        SetPos(9);
        SetRange(0, 9);
        SetText("earlier");
        texts.clear();
        ranges.clear();
        positions.clear();
        pumps = 0;
    }

protected:
    void ShowText(const std::string& text) override {
        RecordingProgress::ShowText(text);
        if (onText) onText(text);
    }
    void ShowPos(std::int32_t position) override {
        RecordingProgress::ShowPos(position);
        if (onPos) onPos(position);
    }
};

// The failure a call raises: its text, "<plain>" for a plain failure, "" when none.
template <typename Call>
std::string FailureOf(Call&& call) {
    try {
        call();
    } catch (const MessageFailure& failure) {
        return failure.Text();
    } catch (const PlainFailure&) {
        return "<plain>";
    }
    return "";
}

}  // namespace Orvane::Test
