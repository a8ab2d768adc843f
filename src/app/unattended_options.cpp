#include "app/unattended_options.h"

#include <algorithm>

namespace Orvane {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameSwitch(const std::u16string& argument, std::u16string_view name) {
    return std::ranges::equal(argument, name, [](char16_t a, char16_t b) { return Upper(a) == b; });
}

// "/NAME=VALUE": the value when the argument starts with NAME= (any case).
std::optional<std::u16string> ValueOf(const std::u16string& argument, std::u16string_view name) {
    if (argument.size() <= name.size() || argument[name.size()] != u'=') return std::nullopt;
    if (!SameSwitch(argument.substr(0, name.size()), name)) return std::nullopt;
    return argument.substr(name.size() + 1);
}

// The program's path: up to the closing quote when it starts with one, else up to a blank.
std::size_t SkipProgramPath(const std::u16string& line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == u'"') {
        std::size_t close = line.find(u'"', 1);
        i = close == std::u16string::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) ++i;
    return i;
}

// False when the argument is none of the known switches.
bool TakeArgument(const std::u16string& argument, UnattendedOptions& options) {
    if (SameSwitch(argument, u"/SILENT")) {
        if (options.ui != UiLevel::VerySilent) options.ui = UiLevel::Silent;
    } else if (SameSwitch(argument, u"/VERYSILENT")) {
        options.ui = UiLevel::VerySilent;
    } else if (SameSwitch(argument, u"/?") || SameSwitch(argument, u"/HELP")) {
        options.help = true;
    } else if (auto folder = ValueOf(argument, u"/DIR"); folder && !folder->empty()) {
        options.folder = *folder;
    } else if (auto log = ValueOf(argument, u"/LOG"); log && !log->empty()) {
        options.logFile = *log;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine) {
    std::vector<std::u16string> arguments;
    std::u16string current;
    bool quoted = false;
    bool inArgument = false;
    for (std::size_t i = SkipProgramPath(commandLine); i < commandLine.size(); ++i) {
        char16_t c = commandLine[i];
        if (IsBlank(c) && !quoted) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == u'"') {
            quoted = !quoted;
        } else {
            current += c;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

UnattendedOptions ParseUnattendedOptions(const std::u16string& commandLine) {
    UnattendedOptions options;
    for (const std::u16string& argument : SplitCommandLine(commandLine)) {
        if (!TakeArgument(argument, options) && options.badArgument.empty()) {
            options.badArgument = argument.empty() ? u"\"\"" : argument;
        }
    }
    return options;
}

}  // namespace Orvane
