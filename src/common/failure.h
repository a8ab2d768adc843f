// The two ways a command or writer fails. Readers never use these: they report by result.
//
// A MessageFailure carries a fixed text (code page 932) that the run driver shows as it is.
// A PlainFailure carries none; the run driver shows its generic text for it.
// Only the run driver catches them.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace Orvane {

class MessageFailure : public std::exception {
public:
    explicit MessageFailure(std::string text) : text_(std::move(text)) {}
    const std::string& Text() const noexcept { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

class PlainFailure : public std::exception {
public:
    const char* what() const noexcept override { return "plain failure"; }
};

}  // namespace Orvane
