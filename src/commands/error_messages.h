// An ordered list of texts that a command collects while it fails; Text() joins them with
// line feeds.
#pragma once

#include <string>
#include <vector>

namespace Orvane {

class CErrorMessages {
public:
    virtual ~CErrorMessages() = default;

    void Clear() { texts_.clear(); }
    void Add(const std::string& text) { texts_.push_back(text); }
    // The texts in order, a line feed before each one once something has been written (so an
    // empty first text gets no line feed behind it).
    std::string Text() const {
        std::string joined;
        for (const std::string& text : texts_) {
            if (!joined.empty()) joined += '\n';
            joined += text;
        }
        return joined;
    }

private:
    std::vector<std::string> texts_;
};

}  // namespace Orvane
