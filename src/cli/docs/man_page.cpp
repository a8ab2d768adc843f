#include "cli/docs/man_page.h"

#include "cli/command.h"
#include "cli/command_usage.h"

namespace Orvane::Cli {
namespace {

constexpr char kSummary[] = "apply, inspect and build self-applying game patches";
constexpr char kDescription[] =
    "orvpatch works with the patch executables of a Windows game patcher without Windows: it "
    "applies a patch to a game's installation folder (or plans the run without writing "
    "anything), shows what a patch holds, builds a patch from a manifest or from releases of a "
    "game, and lists, extracts and creates the game's LINK archives. Every command takes -h or "
    "--help for its usage; \"--\" ends the options of any command. An option's value may also "
    "be given as --option=VALUE.";
constexpr char kExitStatus[] =
    ".TP\n.B 0\nsuccess\n.TP\n.B 1\na file, a patch or a run failed\n"
    ".TP\n.B 2\na mistake in the arguments\n";

// Text as roff shows it: hyphens as minus signs, backslashes kept, no line taken for a request.
std::string Roff(const std::string& text) {
    std::string roff;
    for (char c : text) {
        if (c == '-' || c == '\\') roff += '\\';
        roff += c;
    }
    if (!roff.empty() && (roff[0] == '.' || roff[0] == '\'')) roff.insert(0, "\\&");
    return roff;
}

std::string CommandSection(const Command& command) {
    std::string usage = UsageLine(command).substr(sizeof "usage: " - 1);
    std::string section = ".SS \"" + Roff(command.name) + "\"\n" + ".B " + Roff(usage) + "\n" +
                          ".PP\n" + Roff(command.summary) + "\n";
    for (const OptionDeclaration& option : command.options) {
        section += ".TP\n.B " + Roff(OptionSpellings(option)) + "\n" + Roff(option.help) + "\n";
    }
    return section;
}

}  // namespace

std::string ManPage(const std::string& version) {
    std::string page = ".TH ORVPATCH 1 \"\" \"" + Roff(std::string(kProgram) + " " + version) +
                       "\" \"User Commands\"\n";
    page += ".SH NAME\n" + Roff(std::string(kProgram) + " - " + kSummary) + "\n";
    page += ".SH SYNOPSIS\n.B orvpatch\n" + Roff("[--version] [--help] COMMAND [ARGUMENTS]") + "\n";
    page += ".SH DESCRIPTION\n" + Roff(kDescription) + "\n";
    page += ".SH COMMANDS\n";
    for (const Command& command : Commands()) page += CommandSection(command);
    page += ".SH EXIT STATUS\n" + std::string(kExitStatus);
    return page;
}

}  // namespace Orvane::Cli
