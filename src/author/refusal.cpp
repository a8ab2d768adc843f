#include "author/refusal.h"

namespace Orvane::Author {
namespace {

constexpr char kNextLine[] = "\n  ";

}  // namespace

void Refuse(const char* text, const std::string& detail) { throw Refusal(text, detail); }

void RefusalList::RaiseIfAny() const {
    if (refusals_.empty()) return;
    std::string text = refusals_.front().Text();
    for (std::size_t i = 1; i < refusals_.size(); ++i) {
        const Refusal& refusal = refusals_[i];
        bool sameReason = refusal.Reason() == refusals_[i - 1].Reason();
        text += kNextLine + (sameReason ? refusal.Detail() : refusal.Text());
    }
    throw Refusal(text, refusals_.front());
}

}  // namespace Orvane::Author
