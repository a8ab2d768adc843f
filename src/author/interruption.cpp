#include "author/interruption.h"

#include "common/failure.h"

namespace Orvane::Author {

void StopIfAsked(const StopPoll& poll) {
    if (poll && poll()) throw MessageFailure(kInterrupted);
}

}  // namespace Orvane::Author
