// The one reader of options, run over every command's own table: each option is read in each
// of its spellings, a flag refuses a value, a repeat is refused unless the option is
// repeatable, and "--", -h/--help and unknown options mean the same for every command.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/command.h"
#include "cli/command_usage.h"
#include "cli/docs/bash_completion.h"
#include "cli/docs/man_page.h"

namespace Orvane::Cli {
namespace {

constexpr char kValue[] = "-v=1";  // a value that looks like an option and holds '='

bool Refused(const Command& command, const Arguments& arguments) {
    try {
        ReadCommandOptions(arguments, command.options);
    } catch (const UsageError&) {
        return true;
    }
    return false;
}

// Every way the option can be written with kValue.
std::vector<Arguments> Spellings(const OptionDeclaration& option) {
    std::vector<Arguments> spellings;
    for (const char* spelled : {option.name, option.shortName}) {
        if (spelled == nullptr) continue;
        if (option.value == nullptr) {
            spellings.push_back({spelled});
        } else {
            spellings.push_back({spelled, kValue});
            spellings.push_back({std::string(spelled) + "=" + kValue});
        }
    }
    return spellings;
}

void ExpectOptionRead(const Command& command, const OptionDeclaration& option) {
    for (const Arguments& spelling : Spellings(option)) {
        SCOPED_TRACE(spelling.front());
        Arguments arguments = spelling;
        arguments.push_back("operand");
        ReadOptions read = ReadCommandOptions(arguments, command.options);
        EXPECT_TRUE(read.Has(option.name));
        EXPECT_EQ(read.operands, Arguments{"operand"});
        if (option.value) EXPECT_EQ(read.Value(option.name), kValue);
        Arguments twice = spelling;
        twice.insert(twice.end(), spelling.begin(), spelling.end());
        EXPECT_EQ(Refused(command, twice), !option.repeatable);
    }
    std::string name = option.name;
    if (option.value == nullptr) EXPECT_TRUE(Refused(command, {name + "=x"}));
    if (option.value != nullptr) EXPECT_TRUE(Refused(command, {"operand", name}));
}

TEST(OptionTableTest, EveryCommandReadsItsOptionsTheSameWay) {
    for (const Command& command : Commands()) {
        SCOPED_TRACE(command.name);
        std::set<std::string> spellings{kHelpOption, kHelpShortOption};
        for (const OptionDeclaration& option : command.options) {
            EXPECT_TRUE(spellings.insert(option.name).second) << option.name;
            if (option.shortName) EXPECT_TRUE(spellings.insert(option.shortName).second);
            EXPECT_NE(UsageLine(command).find(OptionSynopsis(option)), std::string::npos);
            EXPECT_NE(CommandHelp(command).find(option.help), std::string::npos);
            ExpectOptionRead(command, option);
        }
        EXPECT_TRUE(Refused(command, {"--no-such-option", "operand"}));
        ReadOptions ended = ReadCommandOptions({"--", "-a.arc", "--help"}, command.options);
        EXPECT_EQ(ended.operands, (Arguments{"-a.arc", "--help"}));
        EXPECT_FALSE(ended.helpAsked);
        for (const char* help : {kHelpOption, kHelpShortOption}) {
            EXPECT_TRUE(ReadCommandOptions({"operand", help, "--no-such-option"}, command.options)
                            .helpAsked);
        }
    }
}

// roff shows a '-' only when written "\-".
std::string RoffHyphens(const std::string& text) {
    std::string roff;
    for (char c : text) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    return roff;
}

// The manual page and the completion are made from the same tables: every command and every
// spelling of each of its options appears in both, each option in the command's own case of
// the completion.
TEST(OptionTableTest, ManualPageAndCompletionListEveryOption) {
    std::string page = ManPage("1.2.3.4");
    std::string completion = BashCompletion();
    EXPECT_TRUE(page.starts_with(".TH ORVPATCH 1 "));
    EXPECT_NE(page.find("orvpatch 1.2.3.4"), std::string::npos);
    for (const Command& command : Commands()) {
        SCOPED_TRACE(command.name);
        std::size_t section = page.find(".SS \"" + RoffHyphens(command.name) + "\"");
        std::size_t options = completion.find(std::string("\"") + command.name + "\")");
        ASSERT_NE(section, std::string::npos);
        ASSERT_NE(options, std::string::npos);
        std::string ownCase = completion.substr(options, completion.find(";;", options) - options);
        for (const OptionDeclaration& option : command.options) {
            EXPECT_NE(page.find(RoffHyphens(OptionSpellings(option)), section), std::string::npos);
            EXPECT_NE(ownCase.find(std::string(" ") + option.name), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace Orvane::Cli
