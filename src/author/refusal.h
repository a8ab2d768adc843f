// How the diff refuses what no patch can express: a Refusal (a MessageFailure) whose code page
// 932 text is a fixed text, ": " and what it concerns (a path, an entry). A path of the releases
// may hold characters that code page 932 lacks; its refusal also keeps a UTF-8 text (Utf8Text)
// that shows the path as it is, for the console.
//
// A pass over many files collects its refusals in a RefusalList and refuses once at its end,
// so that the author learns of every offending file from one run, not one file per run.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"

namespace Orvane::Author {

class Refusal : public MessageFailure {
public:
    // reason and detail in code page 932; utf8Detail is the detail as it is, when it has one.
    Refusal(std::string reason, std::string detail, std::string utf8Detail = {});
    // A refusal of several offenders: the texts say them all, reason and detail are the first's.
    Refusal(const std::string& text, const std::string& utf8Text, const Refusal& first)
        : MessageFailure(text), reason_(first.reason_), detail_(first.detail_),
          utf8Detail_(first.utf8Detail_), utf8Text_(utf8Text) {}

    const std::string& Reason() const { return reason_; }
    const std::string& Detail() const { return detail_; }
    const std::string& Utf8Detail() const { return utf8Detail_; }
    // The text in UTF-8, with every path as it is.
    const std::string& Utf8Text() const { return utf8Text_; }

private:
    std::string reason_;
    std::string detail_;
    std::string utf8Detail_;
    std::string utf8Text_;
};

[[noreturn]] void Refuse(const char* text, const std::string& detail);
// A refusal about one path of the releases.
[[noreturn]] void RefusePath(const char* text, const std::filesystem::path& path);

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
