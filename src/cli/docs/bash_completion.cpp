#include "cli/docs/bash_completion.h"

#include <set>
#include <vector>

#include "cli/command.h"
#include "cli/command_usage.h"

namespace Orvane::Cli {
namespace {

constexpr char kHead[] = R"(# bash completion for orvpatch
_orvpatch() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    if (( COMP_CWORD == 1 )); then
        COMPREPLY=($(compgen -W "FIRST_WORDS --help --version" -- "$cur"))
        return
    fi
    local command="${COMP_WORDS[1]}"
    case "$command" in
)";
constexpr char kMiddle[] = R"(    esac
    local options="" values=""
    case "$command" in
)";
constexpr char kTail[] = R"(    esac
    if [[ " $values " == *" $prev "* ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
    elif [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _orvpatch orvpatch
)";
constexpr char kFirstWordsMark[] = "FIRST_WORDS";

std::string FirstWord(const std::string& name) { return name.substr(0, name.find(' ')); }

std::string Join(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

// A group ("arc"): its second words while they are typed, then the command they name.
std::string GroupCases() {
    std::set<std::string> groups;
    for (const Command& command : Commands()) {
        std::string name = command.name;
        if (name.find(' ') != std::string::npos) groups.insert(FirstWord(name));
    }
    std::string cases;
    for (const std::string& group : groups) {
        std::vector<std::string> seconds;
        for (const Command& command : Commands()) {
            std::string name = command.name;
            if (name.starts_with(group + " ")) seconds.push_back(name.substr(group.size() + 1));
        }
        cases += "        " + group + ")\n            if (( COMP_CWORD == 2 )); then\n" +
                 "                COMPREPLY=($(compgen -W \"" + Join(seconds) +
                 "\" -- \"$cur\"))\n                return\n            fi\n" +
                 "            command=\"" + group + " ${COMP_WORDS[2]}\" ;;\n";
    }
    return cases;
}

std::string OptionCase(const Command& command) {
    std::vector<std::string> options{kHelpShortOption, kHelpOption};
    std::vector<std::string> values;
    for (const OptionDeclaration& option : command.options) {
        for (const char* spelling : {option.shortName, option.name}) {
            if (spelling == nullptr) continue;
            options.push_back(spelling);
            if (option.value) values.push_back(spelling);
        }
    }
    return std::string("        \"") + command.name + "\")\n            options=\"" +
           Join(options) + "\"\n            values=\"" + Join(values) + "\" ;;\n";
}

}  // namespace

std::string BashCompletion() {
    std::vector<std::string> firstWords;
    for (const Command& command : Commands()) {
        std::string word = FirstWord(command.name);
        if (firstWords.empty() || firstWords.back() != word) firstWords.push_back(word);
    }
    std::string script = kHead;
    script.replace(script.find(kFirstWordsMark), sizeof kFirstWordsMark - 1, Join(firstWords));
    script += GroupCases() + kMiddle;
    for (const Command& command : Commands()) script += OptionCase(command);
    return script + kTail;
}

}  // namespace Orvane::Cli
