#include "cli/option_reader.h"

namespace Orvane::Cli {
namespace {

constexpr char kEndOfOptions[] = "--";
constexpr char kUnknownOption[] = "unknown option ";
constexpr char kNeedsValue[] = " needs a value";
constexpr char kGivenTwice[] = " is given twice";
constexpr char kNotANumber[] = " needs a whole number from ";
constexpr std::size_t kMaxDigits = 9;  // more than any option takes, less than long overflows

bool LooksLikeOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

}  // namespace

std::string ReadOptions::Value(const std::string& option, const std::string& fallback) const {
    auto found = values.find(option);
    return found == values.end() ? fallback : found->second;
}

ReadOptions ReadCommandOptions(const Arguments& arguments, const std::set<std::string>& flagNames,
                               const std::set<std::string>& valueNames) {
    ReadOptions read;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!options || !LooksLikeOption(argument)) {
            read.operands.push_back(argument);
        } else if (argument == kEndOfOptions) {
            options = false;
        } else if (flagNames.contains(argument)) {
            if (!read.flags.insert(argument).second) throw UsageError(argument + kGivenTwice);
        } else if (valueNames.contains(argument)) {
            if (i + 1 == arguments.size()) throw UsageError(argument + kNeedsValue);
            if (!read.values.emplace(argument, arguments[++i]).second) {
                throw UsageError(argument + kGivenTwice);
            }
        } else {
            throw UsageError(kUnknownOption + argument);
        }
    }
    return read;
}

long ReadNumberOption(const std::string& option, const std::string& text, long min, long max) {
    bool digits = !text.empty() && text.size() <= kMaxDigits &&
                  text.find_first_not_of("0123456789") == std::string::npos;
    long value = digits ? std::stol(text) : -1;
    if (!digits || value < min || value > max) {
        throw UsageError(option + kNotANumber + std::to_string(min) + " to " + std::to_string(max));
    }
    return value;
}

}  // namespace Orvane::Cli
