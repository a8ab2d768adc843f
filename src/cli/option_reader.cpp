#include "cli/option_reader.h"

#include <optional>

namespace Orvane::Cli {
namespace {

constexpr char kEndOfOptions[] = "--";
constexpr char kUnknownOption[] = "unknown option ";
constexpr char kNeedsValue[] = " needs a value";
constexpr char kTakesNoValue[] = " takes no value";
constexpr char kGivenTwice[] = " is given twice";
constexpr char kNotANumber[] = " needs a whole number from ";
constexpr std::size_t kMaxDigits = 9;  // more than any option takes, less than long overflows

bool LooksLikeOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

const OptionDeclaration* FindOption(const OptionTable& table, const std::string& spelled) {
    for (const OptionDeclaration& option : table) {
        if (spelled == option.name || (option.shortName && spelled == option.shortName)) {
            return &option;
        }
    }
    return nullptr;
}

// Reads the option at arguments[i], consuming the next argument when it is the value.
void ReadOption(const Arguments& arguments, std::size_t& i, const OptionTable& table,
                ReadOptions& read) {
    const std::string& argument = arguments[i];
    std::size_t equals = argument.find('=');
    std::string spelled = argument.substr(0, equals);
    const OptionDeclaration* option = FindOption(table, spelled);
    if (option == nullptr) throw UsageError(kUnknownOption + argument);
    bool seen = read.Has(option->name);
    if (seen && !option->repeatable) throw UsageError(spelled + kGivenTwice);
    if (option->value == nullptr) {
        if (equals != std::string::npos) throw UsageError(spelled + kTakesNoValue);
        read.flags.insert(option->name);
        return;
    }
    if (equals == std::string::npos && i + 1 == arguments.size()) {
        throw UsageError(spelled + kNeedsValue);
    }
    read.values[option->name].push_back(equals == std::string::npos ? arguments[++i]
                                                                    : argument.substr(equals + 1));
}

}  // namespace

std::string ReadOptions::Value(const std::string& option, const std::string& fallback) const {
    auto found = values.find(option);
    return found == values.end() ? fallback : found->second.back();
}

ReadOptions ReadCommandOptions(const Arguments& arguments, const OptionTable& table) {
    ReadOptions read;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!options || !LooksLikeOption(argument)) {
            read.operands.push_back(argument);
        } else if (argument == kEndOfOptions) {
            options = false;
        } else if (argument == kHelpOption || argument == kHelpShortOption) {
            read.helpAsked = true;
            return read;
        } else {
            ReadOption(arguments, i, table, read);
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
