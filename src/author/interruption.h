// How a long diff learns that its user wants it to stop (Ctrl-C on the command line): a poll
// that says whether a stop was asked for since it was last called. The diff polls between
// files, payloads and runs of its check, and stops with kInterrupted, so that whatever it made
// so far is cleaned up on the way out. An empty poll never asks.
#pragma once

#include <functional>

namespace Orvane::Author {

inline constexpr char kInterrupted[] = "interrupted; nothing was written";

using StopPoll = std::function<bool()>;

// Raises MessageFailure(kInterrupted) when the poll asks to stop.
void StopIfAsked(const StopPoll& poll);

}  // namespace Orvane::Author
