#include "cli/views/console_progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "support/text.h"

namespace Orvane::Cli {
namespace {

constexpr char kEraseLine[] = "\r\x1b[K";

// What a display wrote to its stream, read after the display has gone.
class ConsoleCapture {
public:
    ConsoleCapture() : stream_(open_memstream(&buffer_, &size_)) {}
    ~ConsoleCapture() {
        std::fclose(stream_);
        std::free(buffer_);
    }
    std::FILE* Stream() const { return stream_; }
    std::string Text() {
        std::fflush(stream_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* stream_;
};

TEST(ConsoleProgressLines, WritesEachNewTextAsOneUtf8Line) {
    ConsoleCapture capture;
    {
        ConsoleProgress progress(capture.Stream(), ProgressStyle::Lines, 80, nullptr);
        progress.SetRange(0, 2);
        progress.SetText(Orvane::Test::Cp932(u8"『 画像.bmp 』をコピー中..."));
        progress.SetPos(1);
        progress.SetText(Orvane::Test::Cp932(u8"『 画像.bmp 』をコピー中..."));
        progress.SetText("");
        progress.SetText("a");
    }
    EXPECT_EQ(capture.Text(), Orvane::Test::Utf8(u8"『 画像.bmp 』をコピー中...\na\n"));
}

TEST(ConsoleProgressBar, RedrawsOneLineAndClearsItWhenDone) {
    ConsoleCapture capture;
    std::string whileRunning;
    {
        ConsoleProgress progress(capture.Stream(), ProgressStyle::Bar, 80, nullptr);
        progress.SetRange(0, 2);
        progress.SetText(Orvane::Test::Cp932(u8"『 data.arc 』を更新中..."));
        progress.SetPos(1);
        whileRunning = capture.Text();
    }
    std::string all = capture.Text();
    EXPECT_EQ(whileRunning.find('\n'), std::string::npos);
    std::string lastDrawn = whileRunning.substr(whileRunning.rfind('\r'));
    EXPECT_NE(lastDrawn.find(" 50%"), std::string::npos) << lastDrawn;
    EXPECT_NE(lastDrawn.find(Orvane::Test::Utf8(u8"『 data.arc 』を更新中...")), std::string::npos);
    EXPECT_EQ(all, whileRunning + kEraseLine);
}

TEST(ConsoleProgressBar, LeavesTheStreamAloneWhenNothingWasShown) {
    ConsoleCapture capture;
    { ConsoleProgress progress(capture.Stream(), ProgressStyle::Bar, 80, nullptr); }
    EXPECT_EQ(capture.Text(), "");
}

// Ctrl-C reaches the run through the pumps: every shown change pumps, and so do checkpoints.
TEST(ConsoleProgressCancel, TakesAnOutsideRequestAtTheNextPump) {
    ConsoleCapture capture;
    int requests = 0;
    int asked = 0;
    auto source = [&] {
        ++asked;
        return requests-- > 0;
    };
    ConsoleProgress progress(capture.Stream(), ProgressStyle::Lines, 80, source);
    EXPECT_FALSE(progress.TakeCancelRequest());
    EXPECT_EQ(asked, 0);

    requests = 1;
    progress.SetText("a");
    EXPECT_TRUE(progress.TakeCancelRequest());
    EXPECT_FALSE(progress.TakeCancelRequest());

    requests = 1;
    progress.PumpMessages();
    progress.PumpMessages();
    EXPECT_TRUE(progress.TakeCancelRequest());
    EXPECT_FALSE(progress.TakeCancelRequest());
}

}  // namespace
}  // namespace Orvane::Cli
