// A progress display for tests: keeps every value shown, in order, and requests Cancel when a
// test asks it to (at once, or when a given text is shown).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/progress_sink.h"

namespace Orvane::Test {

class RecordingProgress : public RememberingProgressSink {
public:
    struct Range {
        std::int32_t low;
        std::int32_t high;
        friend bool operator==(const Range&, const Range&) = default;
    };

    std::vector<std::string> texts;
    std::vector<Range> ranges;
    std::vector<std::int32_t> positions;
    int pumps = 0;

    // Requests Cancel when the given text is shown (empty: never).
    std::string cancelOnText;
    // Requests Cancel on the given pump (1 = the first one; 0: never).
    int cancelOnPump = 0;

    void PumpMessages() override {
        ++pumps;
        if (cancelOnPump != 0 && pumps == cancelOnPump) RequestCancel();
    }

protected:
    void ShowText(const std::string& text) override {
        texts.push_back(text);
        if (!cancelOnText.empty() && text == cancelOnText) RequestCancel();
    }
    void ShowRange(std::int32_t low, std::int32_t high) override { ranges.push_back({low, high}); }
    void ShowPos(std::int32_t position) override { positions.push_back(position); }
};

}  // namespace Orvane::Test
