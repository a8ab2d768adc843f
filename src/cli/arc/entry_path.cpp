#include "cli/arc/entry_path.h"

namespace Orvane::Cli {
namespace {

constexpr char kSeparators[] = "\\/";
constexpr char kDriveOrStream = ':';

bool IsPlainComponent(const std::string& component) {
    return !component.empty() && component != "." && component != ".." &&
           component.find(kDriveOrStream) == std::string::npos;
}

}  // namespace

std::optional<std::vector<std::string>> EntryPathComponents(const std::string& utf8Name) {
    std::vector<std::string> components;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = utf8Name.find_first_of(kSeparators, start);
        std::string component = utf8Name.substr(start, end - start);
        if (!IsPlainComponent(component)) return std::nullopt;
        components.push_back(std::move(component));
        if (end == std::string::npos) return components;
        start = end + 1;
    }
}

}  // namespace Orvane::Cli
