#include "author/diff_progress.h"

namespace Orvane::Author {
namespace {

class NoProgress final : public DiffProgress {
public:
    void Begin(const char*, std::uint64_t) override {}
    void Advance(std::uint64_t) override {}
};

}  // namespace

DiffProgress& Unwatched() {
    static NoProgress none;
    return none;
}

}  // namespace Orvane::Author
