#include "commands/windows_name.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string_view>

#include "common/ansi_path.h"

namespace Orvane {
namespace {

constexpr std::string_view kForbiddenCharacters = "\\/:*?\"<>|";
constexpr std::string_view kDeviceNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};

bool IsForbiddenCharacter(char c) {
    return static_cast<std::uint8_t>(c) < 0x20 ||
           kForbiddenCharacters.find(c) != std::string_view::npos;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view upper) {
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

// The name before its first dot, as Windows compares it with the device names (spaces before
// the dot do not count: "NUL .txt" is the device too).
std::string_view BaseName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

bool IsDeviceName(std::string_view name) {
    std::string_view base = BaseName(name);
    if (std::any_of(std::begin(kDeviceNames), std::end(kDeviceNames),
                    [base](std::string_view device) { return EqualsIgnoringCase(base, device); })) {
        return true;
    }
    return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
           std::any_of(std::begin(kNumberedDevices), std::end(kNumberedDevices),
                       [base](std::string_view device) {
                           return EqualsIgnoringCase(base.substr(0, 3), device);
                       });
}

// Whether any single-byte character of name is one Windows refuses in a name.
bool HasForbiddenCharacter(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Common::IsLeadByte(static_cast<std::uint8_t>(name[i])) && i + 1 < name.size()) {
            ++i;
        } else if (IsForbiddenCharacter(name[i])) {
            return true;
        }
    }
    return false;
}

bool EndsInDotOrSpace(const std::string& name) {
    if (name.empty()) return false;
    char last = name.back();
    // A trail byte may equal '.' or ' ' only when it is 0x40 or more; both are below that.
    return last == '.' || last == ' ';
}

bool IsSeparatorAt(const std::string& path, std::size_t i) {
    return path[i] == '\\' || path[i] == '/';
}

}  // namespace

bool IsWindowsName(const std::string& name) {
    return !name.empty() && !HasForbiddenCharacter(name) && !EndsInDotOrSpace(name) &&
           !IsDeviceName(name);
}

bool HasWindowsNames(const std::string& path) {
    std::string component;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparatorAt(path, i)) {
            if (!component.empty() && component != "." && component != ".." &&
                !IsWindowsName(component)) {
                return false;
            }
            component.clear();
        } else {
            component += path[i];
            if (Common::IsLeadByte(static_cast<std::uint8_t>(path[i])) && i + 1 < path.size()) {
                component += path[++i];
            }
        }
    }
    return true;
}

}  // namespace Orvane
