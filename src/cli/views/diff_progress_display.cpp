#include "cli/views/diff_progress_display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace Orvane::Cli {
namespace {

constexpr std::int32_t kSteps = 1000;
constexpr double kRedrawEvery = 0.1;  // seconds
constexpr double kEstimateAfterSeconds = 1.0;
constexpr char kOf[] = " of ";
constexpr char kAbout[] = ", about ";
constexpr char kLeft[] = " left";

std::string Amount(std::uint64_t bytes) {
    constexpr const char* kUnits[] = {"bytes", "KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024) return std::to_string(bytes) + " " + kUnits[0];
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits)) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

// Whole seconds rounded up: "about 0 s left" would say the stage is over.
std::string Duration(double seconds) {
    auto whole = static_cast<std::uint64_t>(std::ceil(seconds));
    if (whole < 60) return std::to_string(whole) + " s";
    if (whole < 3600) {
        return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
    }
    return std::to_string(whole / 3600) + " h " + std::to_string(whole / 60 % 60) + " min";
}

// <chrono> cannot be built for code page 932 texts.
double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

std::string DiffProgressText(const std::string& stage, std::uint64_t done, std::uint64_t total,
                             double secondsSpent) {
    if (done == 0 && total == 0) return stage;
    std::string text = stage + ": " + Amount(done);
    if (total == 0) return text;
    text += kOf + Amount(total);
    if (done == 0 || done >= total || secondsSpent < kEstimateAfterSeconds) return text;
    double left = secondsSpent * static_cast<double>(total - done) / static_cast<double>(done);
    return text + kAbout + Duration(left) + kLeft;
}

DiffProgressDisplay::DiffProgressDisplay() : onTerminal_(StyleFor(stderr) == ProgressStyle::Bar) {}

void DiffProgressDisplay::Begin(const char* stage, std::uint64_t totalBytes) {
    if (!onTerminal_) return;
    // The diff polls Ctrl-C itself, so the display asks no cancel source.
    if (!bar_) bar_ = std::make_unique<ConsoleProgress>(stderr, ProgressStyle::Bar,
                                                        TerminalColumns(stderr), nullptr);
    stage_ = stage;
    total_ = totalBytes;
    done_ = 0;
    started_ = Now();
    Draw();
}

void DiffProgressDisplay::Advance(std::uint64_t bytes) {
    if (!bar_) return;
    done_ += bytes;
    if (Now() - drawn_ >= kRedrawEvery) Draw();
}

void DiffProgressDisplay::Draw() {
    drawn_ = Now();
    bar_->SetText(DiffProgressText(stage_, done_, total_, drawn_ - started_));
    bar_->SetRange(0, total_ == 0 ? 0 : kSteps);
    if (total_ == 0) return;
    bar_->SetPos(static_cast<std::int32_t>(std::min(done_, total_) * kSteps / total_));
}

}  // namespace Orvane::Cli
