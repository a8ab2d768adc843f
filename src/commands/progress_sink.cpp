#include "commands/progress_sink.h"

namespace Orvane {

void RememberingProgressSink::SetText(const std::string& text) {
    if (text == text_) return;
    ShowText(text);
    PumpMessages();
    text_ = text;
}

void RememberingProgressSink::SetRange(std::int32_t low, std::int32_t high) {
    if (low == low_ && high == high_) return;
    ShowRange(low, high);
    PumpMessages();
    low_ = low;
    high_ = high;
}

void RememberingProgressSink::SetPos(std::int32_t position) {
    if (position == position_) return;
    ShowPos(position);
    PumpMessages();
    position_ = position;
}

bool RememberingProgressSink::TakeCancelRequest() {
    bool requested = cancelRequested_;
    cancelRequested_ = false;
    return requested;
}

void RememberingProgressSink::ResetRemembered() {
    low_ = high_ = position_ = 0;
    text_.clear();
}

}  // namespace Orvane
