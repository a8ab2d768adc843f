// How the diff refuses what no patch can express: a Refusal (a MessageFailure) whose code page
// 932 text is a fixed text, ": " and what it concerns (a path, an entry).
//
// A pass over many files collects its refusals in a RefusalList and refuses once at its end,
// so that the author learns of every offending file from one run, not one file per run.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"

namespace Orvane::Author {

class Refusal : public MessageFailure {
public:
    Refusal(std::string reason, std::string detail)
        : MessageFailure(reason + ": " + detail),
          reason_(std::move(reason)),
          detail_(std::move(detail)) {}
    // A refusal of several offenders: text says them all, reason and detail are the first's.
    Refusal(const std::string& text, const Refusal& first)
        : MessageFailure(text), reason_(first.reason_), detail_(first.detail_) {}

    const std::string& Reason() const { return reason_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string reason_;
    std::string detail_;
};

[[noreturn]] void Refuse(const char* text, const std::string& detail);

class RefusalList {
public:
    // Runs step; a Refusal it raises is kept and the pass goes on. Other failures (a stop, a
    // disk that fails) go through at once.
    template <typename Step>
    void Try(Step step) {
        try {
            step();
        } catch (const Refusal& refusal) {
            refusals_.push_back(refusal);
        }
    }
    void Add(std::string reason, std::string detail) {
        refusals_.emplace_back(std::move(reason), std::move(detail));
    }

    // Raises a Refusal when anything was kept: the first one's text as its first line, then
    // each other one on an indented line of its own, its detail alone when it has the reason
    // of the line before it.
    void RaiseIfAny() const;

private:
    std::vector<Refusal> refusals_;
};

}  // namespace Orvane::Author
