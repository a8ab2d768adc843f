// The options of a command, declared as data, and the one reader of every command's arguments.
//
// An option is written --name VALUE or --name=VALUE, or by its short name (-o VALUE, -o=VALUE);
// a flag takes no value. "--" ends the options: what follows is an operand even when it starts
// with '-'. -h and --help ask for the command's help. An unknown option, an option without its
// value, a value given to a flag and a repeat of an option that is not repeatable raise
// UsageError.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/command_errors.h"

namespace Orvane::Cli {

struct OptionDeclaration {
    const char* name;                 // "--json"
    const char* shortName = nullptr;  // "-o", or none
    const char* value = nullptr;      // the placeholder of its value ("FILE"); none for a flag
    bool repeatable = false;
    bool required = false;  // shown bare in the usage line; the command says what is missing
    const char* help = "";
};

using OptionTable = std::vector<OptionDeclaration>;

inline constexpr char kHelpOption[] = "--help";
inline constexpr char kHelpShortOption[] = "-h";

struct ReadOptions {
    std::set<std::string> flags;                             // by long name
    std::map<std::string, std::vector<std::string>> values;  // by long name, in the order given
    std::vector<std::string> operands;
    bool helpAsked = false;

    bool Has(const std::string& option) const {
        return flags.contains(option) || values.contains(option);
    }
    // The option's (last) value, or fallback when it was not given.
    std::string Value(const std::string& option, const std::string& fallback = "") const;
};

ReadOptions ReadCommandOptions(const Arguments& arguments, const OptionTable& table);

// A whole number from min to max (min >= 0) given as an option's value, in decimal digits;
// raises UsageError otherwise.
long ReadNumberOption(const std::string& option, const std::string& text, long min, long max);

}  // namespace Orvane::Cli
