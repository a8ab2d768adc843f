// The progress display of a run that nobody watches: it shows nothing and never asks to cancel.
#pragma once

#include <cstdint>
#include <string>

#include "commands/progress_sink.h"

namespace Orvane {

class SilentProgress : public RememberingProgressSink {
public:
    void PumpMessages() override {}

protected:
    void ShowText(const std::string&) override {}
    void ShowRange(std::int32_t, std::int32_t) override {}
    void ShowPos(std::int32_t) override {}
};

}  // namespace Orvane
