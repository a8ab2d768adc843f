// The progress of `orvpatch diff` on a terminal: the bar `apply` draws (console_progress.h),
// with the stage, its bytes done and in all, and an estimate of the time left. Where stderr is
// not a terminal it shows nothing, so that logs and pipes get only the diff's own lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "author/diff_progress.h"
#include "cli/views/console_progress.h"

namespace Orvane::Cli {

// "digesting: 512.0 MiB of 1.0 GiB, about 12 s left"; the estimate comes once a second of the
// stage has passed, and the bytes in all only when they are known; the stage alone before it
// has any bytes to tell.
std::string DiffProgressText(const std::string& stage, std::uint64_t done, std::uint64_t total,
                             double secondsSpent);

class DiffProgressDisplay final : public Author::DiffProgress {
public:
    DiffProgressDisplay();

    void Begin(const char* stage, std::uint64_t totalBytes) override;
    void Advance(std::uint64_t bytes) override;
    // Clears the line, so that other lines can be written; the next stage draws it again.
    void End() { bar_.reset(); }

private:
    void Draw();

    bool onTerminal_;
    std::unique_ptr<ConsoleProgress> bar_;
    std::string stage_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    double started_ = 0;  // seconds on a clock that only goes forward
    double drawn_ = 0;
};

}  // namespace Orvane::Cli
