#include "commands/safe_path.h"

#include <cstdint>
#include <vector>

#include "common/ansi_path.h"
#include "common/failure.h"

namespace Orvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits at separators that are characters of their own (not trail bytes of 932 characters).
// Returns false when the path contains a ':' or starts with a separator.
bool SplitComponents(const std::string& path, std::vector<std::string>& components) {
    if (!path.empty() && IsSeparator(path.front())) return false;
    std::string current;
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (Common::IsLeadByte(static_cast<std::uint8_t>(c)) && i + 1 < path.size()) {
            current += c;
            current += path[++i];
        } else if (c == ':') {
            return false;
        } else if (IsSeparator(c)) {
            components.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    components.push_back(current);
    return true;
}

// "..", "...", ". ." and the like: Windows drops trailing dots and spaces, so every name made
// only of dots and spaces with two or more dots is taken as a step up.
bool IsParentStep(const std::string& component) {
    int dots = 0;
    for (char c : component) {
        if (c == '.') ++dots;
        else if (c != ' ') return false;
    }
    return dots >= 2;
}

}  // namespace

bool IsInsideFolder(const std::string& path) {
    std::vector<std::string> components;
    if (!SplitComponents(path, components)) return false;
    int depth = 0;
    for (const std::string& component : components) {
        if (IsParentStep(component)) {
            if (--depth < 0) return false;
        } else if (!component.empty() && component != ".") {
            ++depth;
        }
    }
    return true;
}

void RequireInsideFolder(const std::string& path) {
    if (!IsInsideFolder(path)) throw MessageFailure(kUnsafePath);
}

}  // namespace Orvane
