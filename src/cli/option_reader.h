// The arguments of a command: options without a value (flags), options followed by their
// value, and the operands in the order given. "--" ends the options.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"

namespace Orvane::Cli {

struct ReadOptions {
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    std::vector<std::string> operands;

    bool Has(const std::string& flag) const { return flags.contains(flag); }
    // The option's value, or fallback when it was not given.
    std::string Value(const std::string& option, const std::string& fallback = "") const;
};

// Raises UsageError for an unknown option, an option without its value and an option given
// twice.
ReadOptions ReadCommandOptions(const Arguments& arguments, const std::set<std::string>& flagNames,
                               const std::set<std::string>& valueNames);

// A whole number from min to max (min >= 0) given as an option's value, in decimal digits;
// raises UsageError otherwise.
long ReadNumberOption(const std::string& option, const std::string& text, long min, long max);

}  // namespace Orvane::Cli
