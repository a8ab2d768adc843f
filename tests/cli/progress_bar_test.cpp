#include "cli/views/progress_bar.h"

#include "cli/views/diff_progress_display.h"

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

struct DiffTextCase {
    std::uint64_t done;
    std::uint64_t total;
    double seconds;
    const char* expected;
};

class DiffProgressTextTest : public testing::TestWithParam<DiffTextCase> {};

TEST_P(DiffProgressTextTest, SaysTheBytesAndWhatIsLeft) {
    const DiffTextCase& c = GetParam();
    EXPECT_EQ(DiffProgressText("writing", c.done, c.total, c.seconds), c.expected);
}

constexpr std::uint64_t kMiB = 1 << 20;

INSTANTIATE_TEST_SUITE_P(
    Stages, DiffProgressTextTest,
    testing::Values(
        DiffTextCase{0, 0, 0, "writing"},
        DiffTextCase{1000, 0, 5, "writing: 1000 bytes"},
        DiffTextCase{512 * kMiB, 1024 * kMiB, 0.5, "writing: 512.0 MiB of 1.0 GiB"},  // too soon
        DiffTextCase{256 * kMiB, 1024 * kMiB, 4, "writing: 256.0 MiB of 1.0 GiB, about 12 s left"},
        DiffTextCase{kMiB, kMiB << 20, 2, "writing: 1.0 MiB of 1.0 TiB, about 582 h 32 min left"},
        DiffTextCase{3 << 10, 6 << 10, 100, "writing: 3.0 KiB of 6.0 KiB, about 1 min 40 s left"},
        DiffTextCase{6 << 10, 6 << 10, 100, "writing: 6.0 KiB of 6.0 KiB"}));

}  // namespace
}  // namespace Orvane::Cli
