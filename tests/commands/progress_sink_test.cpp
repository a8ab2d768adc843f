// What every progress display shares: only changed values are shown, each followed by a pump.
#include "commands/progress_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/hooked_progress.h"

namespace Orvane {
namespace {

using Test::HookedProgress;
using Range = Test::RecordingProgress::Range;

TEST(RememberingProgressSink, ShowsAndPumpsOnlyChangedValues) {
    HookedProgress display;
    std::vector<int> pumpsWhenShown;
    display.onText = [&](const std::string&) { pumpsWhenShown.push_back(display.pumps); };
    display.onPos = [&](std::int32_t) { pumpsWhenShown.push_back(display.pumps); };

    // The starting values: range (0, 0), position 0, no text.
    display.SetPos(0);
    display.SetRange(0, 0);
    display.SetText("");
    EXPECT_EQ(display.pumps, 0);

    display.SetRange(0, 100);
    display.SetRange(0, 100);
    display.SetText("a");
    display.SetText("a");
    display.SetPos(5);
    display.SetPos(5);
    // The full high bound is remembered, not the 16 bits a bar control takes.
    display.SetRange(0, 70000);
    display.SetRange(0, 70000 - 65536);

    EXPECT_EQ(display.ranges, (std::vector<Range>{{0, 100}, {0, 70000}, {0, 70000 - 65536}}));
    EXPECT_EQ(display.texts, std::vector<std::string>{"a"});
    EXPECT_EQ(display.positions, std::vector<std::int32_t>{5});
    EXPECT_EQ(display.pumps, 5);
    EXPECT_EQ(pumpsWhenShown, (std::vector<int>{1, 2})) << "shown first, then pumped";
}

TEST(RememberingProgressSink, CancelRequestIsTakenOnce) {
    HookedProgress display;
    EXPECT_FALSE(display.TakeCancelRequest());
    display.RequestCancel();
    display.RequestCancel();
    EXPECT_TRUE(display.TakeCancelRequest());
    EXPECT_FALSE(display.TakeCancelRequest());
}

}  // namespace
}  // namespace Orvane
