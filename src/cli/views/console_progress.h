// The progress display of `orvpatch apply`, on a console stream (stderr).
//
// On a terminal it keeps one line redrawn in place: a bar, its percentage and the current
// progress text; the line is cleared when the display goes, so that the run's outcome starts
// on a line of its own. Elsewhere (a pipe, a file) it writes each new progress text as a line
// and nothing for the bar. Texts reach the stream as UTF-8.
//
// The Cancel request comes from outside (Ctrl-C): every pump asks the cancel source and turns
// a request into the display's own, which the run takes at its next checkpoint.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "commands/progress_sink.h"
#include "cli/views/progress_bar.h"

namespace Orvane::Cli {

enum class ProgressStyle { Lines, Bar };

// Bar when stream is a terminal, Lines otherwise (views/terminal_*.cpp, one per platform).
ProgressStyle StyleFor(std::FILE* stream);
// The terminal's width in columns, or kDefaultColumns when it cannot be told.
inline constexpr int kDefaultColumns = 80;
int TerminalColumns(std::FILE* stream);

class ConsoleProgress final : public RememberingProgressSink {
public:
    // Whether a Cancel request arrived since it was last asked; it clears the request.
    using CancelSource = std::function<bool()>;

    ConsoleProgress(std::FILE* stream, ProgressStyle style, int columns, CancelSource cancel);
    ~ConsoleProgress() override;
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    void PumpMessages() override;

protected:
    void ShowText(const std::string& text) override;
    void ShowRange(std::int32_t low, std::int32_t high) override;
    void ShowPos(std::int32_t position) override;

private:
    void DrawBar();

    std::FILE* stream_;
    ProgressStyle style_;
    int columns_;
    CancelSource cancel_;
    BarState bar_;
    std::string utf8Text_;
    bool barDrawn_ = false;
};

}  // namespace Orvane::Cli
