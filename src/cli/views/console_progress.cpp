#include "cli/views/console_progress.h"

#include "cli/views/console.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

// Back to the start of the line, and erase from there to its end.
constexpr char kLineStart[] = "\r";
constexpr char kEraseToEnd[] = "\x1b[K";

}  // namespace

ConsoleProgress::ConsoleProgress(std::FILE* stream, ProgressStyle style, int columns,
                                 CancelSource cancel)
    : stream_(stream), style_(style), columns_(columns), cancel_(std::move(cancel)) {}

ConsoleProgress::~ConsoleProgress() {
    if (!barDrawn_) return;
    std::fputs(kLineStart, stream_);
    std::fputs(kEraseToEnd, stream_);
    std::fflush(stream_);
}

void ConsoleProgress::PumpMessages() {
    if (cancel_ && cancel_()) RequestCancel();
}

void ConsoleProgress::ShowText(const std::string& text) {
    utf8Text_ = Common::Utf8FromAnsi(text);
    if (style_ == ProgressStyle::Bar) {
        DrawBar();
    } else if (!utf8Text_.empty()) {
        PrintLine(stream_, utf8Text_);
    }
}

void ConsoleProgress::ShowRange(std::int32_t low, std::int32_t high) {
    bar_.low = low;
    bar_.high = high;
    if (style_ == ProgressStyle::Bar) DrawBar();
}

void ConsoleProgress::ShowPos(std::int32_t position) {
    bar_.position = position;
    if (style_ == ProgressStyle::Bar) DrawBar();
}

// The last column stays free: writing into it makes some terminals wrap at once.
void ConsoleProgress::DrawBar() {
    std::fputs(kLineStart, stream_);
    std::fputs(BarLine(bar_, utf8Text_, columns_ - 1).c_str(), stream_);
    std::fputs(kEraseToEnd, stream_);
    std::fflush(stream_);
    barDrawn_ = true;
}

}  // namespace Orvane::Cli
