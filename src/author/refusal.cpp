#include "author/refusal.h"

#include "author/host_files.h"
#include "common/utf8.h"
#include "common/utf8_path.h"

namespace Orvane::Author {
namespace {

constexpr char kNextLine[] = "\n  ";

}  // namespace

Refusal::Refusal(std::string reason, std::string detail, std::string utf8Detail)
    : MessageFailure(reason + ": " + detail),
      reason_(std::move(reason)),
      detail_(std::move(detail)),
      utf8Detail_(utf8Detail.empty() ? Common::Utf8FromAnsi(detail_) : std::move(utf8Detail)),
      utf8Text_(Common::Utf8FromAnsi(reason_) + ": " + utf8Detail_) {}

void Refuse(const char* text, const std::string& detail) { throw Refusal(text, detail); }

void RefusePath(const char* text, const std::filesystem::path& path) {
    throw Refusal(text, MessagePath(path), Common::Utf8FromPath(path));
}

void RefusalList::RaiseIfAny() const {
    if (refusals_.empty()) return;
    std::string text = refusals_.front().Text();
    std::string utf8Text = refusals_.front().Utf8Text();
    for (std::size_t i = 1; i < refusals_.size(); ++i) {
        const Refusal& refusal = refusals_[i];
        bool sameReason = refusal.Reason() == refusals_[i - 1].Reason();
        text += kNextLine + (sameReason ? refusal.Detail() : refusal.Text());
        utf8Text += kNextLine + (sameReason ? refusal.Utf8Detail() : refusal.Utf8Text());
    }
    throw Refusal(text, utf8Text, refusals_.front());
}

}  // namespace Orvane::Author
