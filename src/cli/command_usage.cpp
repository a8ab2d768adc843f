#include "cli/command_usage.h"

namespace Orvane::Cli {
namespace {

constexpr std::size_t kSpellingColumns = 28;

std::string HelpLine(const std::string& spellings, const std::string& help) {
    std::string line = "  " + spellings;
    line += line.size() < kSpellingColumns ? std::string(kSpellingColumns - line.size(), ' ')
                                           : std::string("\n") + std::string(kSpellingColumns, ' ');
    return line + help + "\n";
}

}  // namespace

std::string OptionSynopsis(const OptionDeclaration& option) {
    std::string synopsis = option.shortName ? option.shortName : option.name;
    return option.value ? synopsis + " " + option.value : synopsis;
}

std::string OptionSpellings(const OptionDeclaration& option) {
    std::string spellings = option.shortName ? std::string(option.shortName) + ", " : "";
    spellings += option.name;
    return option.value ? spellings + " " + option.value : spellings;
}

std::string UsageLine(const Command& command) {
    std::string line = std::string("usage: ") + kProgram + " " + command.name;
    if (*command.operands) line += std::string(" ") + command.operands;
    for (const OptionDeclaration& option : command.options) {
        if (option.required) line += " " + OptionSynopsis(option);
    }
    for (const OptionDeclaration& option : command.options) {
        if (!option.required) line += " [" + OptionSynopsis(option) + "]";
    }
    return line;
}

std::string CommandHelp(const Command& command) {
    std::string help = UsageLine(command) + "\n\n" + command.summary + "\n\noptions:\n";
    for (const OptionDeclaration& option : command.options) {
        help += HelpLine(OptionSpellings(option), option.help);
    }
    return help + HelpLine(std::string(kHelpShortOption) + ", " + kHelpOption, kHelpText);
}

}  // namespace Orvane::Cli
