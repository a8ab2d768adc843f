#include "cli/views/progress_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "support/text.h"

namespace Orvane::Cli {
namespace {

struct PercentCase {
    BarState state;
    int expected;
};

class PercentDoneTest : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentDoneTest, StaysWithinZeroToHundred) {
    EXPECT_EQ(PercentDone(GetParam().state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ranges, PercentDoneTest,
                         testing::Values(PercentCase{{0, 100, 45}, 45},
                                         PercentCase{{0, 2, 1}, 50},    // a copy, half done
                                         PercentCase{{0, 0, 0}, 0},     // no range yet
                                         PercentCase{{10, 5, 7}, 0},    // inverted range
                                         PercentCase{{0, 100, 150}, 100},
                                         PercentCase{{0, 100, -5}, 0},
                                         PercentCase{{INT_MIN, INT_MAX, 0}, 50}));  // no overflow

// Every cut must keep whole characters and stay within the columns given.
TEST(BarLine, FitsTheColumnsWithoutSplittingACharacter) {
    const std::string text = Orvane::Test::Utf8(u8"『 画像データ.arc 』を更新中...");
    const std::string full = BarLine({0, 100, 50}, text, 200);
    ASSERT_NE(full.find(text), std::string::npos);
    ASSERT_NE(full.find(" 50%"), std::string::npos);
    for (int columns = 1; columns < DisplayWidth(full) + 3; ++columns) {
        std::string line = BarLine({0, 100, 50}, text, columns);
        EXPECT_LE(DisplayWidth(line), columns) << columns;
        EXPECT_EQ(full.compare(0, line.size(), line), 0) << columns;
        if (line.size() < full.size()) {
            EXPECT_NE(static_cast<unsigned char>(full[line.size()]) & 0xC0, 0x80) << columns;
        }
    }
}

TEST(BarLine, FillsTheBarInProportion) {
    auto cells = [](const BarState& state) {
        std::string line = BarLine(state, "", 80);
        return std::count(line.begin(), line.end(), '#');
    };
    EXPECT_EQ(cells({0, 2, 0}), 0);
    EXPECT_EQ(cells({0, 2, 1}), cells({0, 2, 2}) / 2);
    EXPECT_GT(cells({0, 2, 2}), 0);
}

TEST(DisplayWidth, CountsWideCharactersTwice) {
    EXPECT_EQ(DisplayWidth("abc"), 3);
    EXPECT_EQ(DisplayWidth(Orvane::Test::Utf8(u8"ゲーム")), 6);
    EXPECT_EQ(DisplayWidth(Orvane::Test::Utf8(u8"『 」")), 5);
    EXPECT_EQ(DisplayWidth(Orvane::Test::Utf8(u8"ｹﾞｰﾑ")), 4);  // half-width katakana
}

}  // namespace
}  // namespace Orvane::Cli
