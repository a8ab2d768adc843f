#include "cli/diff/diff_arguments.h"

#include <charconv>
#include <filesystem>
#include <map>

#include "author/path_key.h"
#include "cli/default_stub.h"
#include "cli/path_argument.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

constexpr char kOutput[] = "-o";
constexpr char kTitle[] = "--title";
constexpr char kRegistryKey[] = "--registry-key";
constexpr char kStub[] = "--stub";
constexpr char kManifest[] = "--manifest";
constexpr char kAllowSkip[] = "--allow-skip";
constexpr char kNoVerify[] = "--no-verify";
constexpr char kScratch[] = "--scratch";
constexpr char kInstallPathLength[] = "--install-path-length";
constexpr char kEndOfOptions[] = "--";
constexpr char kUnknownOption[] = "unknown option ";
constexpr char kNeedsValue[] = " needs a value";
constexpr char kGivenTwice[] = " is given twice";
constexpr char kTwoReleases[] = "give at least one old release and the new one";
constexpr char kMissing[] = "give ";
constexpr char kNotFolder[] = "not a folder: ";
constexpr char kNamesFolder[] = " names a folder: ";
constexpr char kNotCp932[] = " holds characters that code page 932 cannot represent";
constexpr char kNotLength[] = " takes a number of characters from 1 to ";

using Values = std::map<std::string, std::string>;

bool TakesValue(const std::string& option) {
    return option == kOutput || option == kTitle || option == kRegistryKey || option == kStub ||
           option == kManifest || option == kScratch || option == kInstallPathLength;
}

void SetValue(Values& values, const std::string& option, const std::string& value) {
    if (!values.emplace(option, value).second) throw UsageError(option + kGivenTwice);
}

// An option at arguments[i] (which it may consume the next argument of); false for a
// positional argument.
bool TakeOption(const Arguments& arguments, std::size_t& i, Values& values, DiffArguments& parsed) {
    const std::string& argument = arguments[i];
    std::size_t equals = argument.find('=');
    std::string name = argument.starts_with("--") ? argument.substr(0, equals) : argument;
    if (TakeSigningOption(arguments, i, parsed.signing)) return true;
    if (argument == kAllowSkip) {
        parsed.allowSkip = true;
    } else if (argument == kNoVerify) {
        parsed.verify = false;
    } else if (TakesValue(name) && name != argument) {
        SetValue(values, name, argument.substr(equals + 1));
    } else if (TakesValue(argument)) {
        if (++i == arguments.size()) throw UsageError(argument + kNeedsValue);
        SetValue(values, argument, arguments[i]);
    } else if (argument.size() > 1 && argument[0] == '-') {
        throw UsageError(kUnknownOption + argument);
    } else {
        return false;
    }
    return true;
}

std::string Required(const Values& values, const char* option, const char* what) {
    auto found = values.find(option);
    if (found == values.end()) throw UsageError(kMissing + std::string(what));
    return found->second;
}

std::string Cp932Text(const std::string& utf8, const char* option) {
    std::string cp932;
    if (!Author::Cp932Name(utf8, cp932)) throw UsageError(option + std::string(kNotCp932));
    return cp932;
}

bool IsFolder(const std::string& utf8) {
    std::error_code error;
    return std::filesystem::is_directory(Common::PathFromUtf8(utf8), error);
}

void RequireFolder(const std::string& utf8) {
    if (!IsFolder(utf8)) throw UsageError(kNotFolder + utf8);
}

// The patch and the manifest replace files; a folder in their place is a mistake.
void RequireNoFolder(const std::string& utf8, const char* option) {
    if (IsFolder(utf8)) throw UsageError(option + std::string(kNamesFolder) + utf8);
}

std::size_t FolderLength(const std::string& text) {
    std::size_t length = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (error != std::errc{} || end != text.data() + text.size() || length == 0 ||
        length > kLongestInstallPath) {
        throw UsageError(kInstallPathLength + (kNotLength + std::to_string(kLongestInstallPath)));
    }
    return length;
}

}  // namespace

DiffArguments ParseDiffArguments(const Arguments& arguments) {
    DiffArguments parsed;
    Values values;
    std::vector<std::string> folders;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (options && arguments[i] == kEndOfOptions) {
            options = false;
        } else if (!options || !TakeOption(arguments, i, values, parsed)) {
            folders.push_back(arguments[i]);
        }
    }
    if (folders.size() < 2) throw UsageError(kTwoReleases);
    for (const std::string& folder : folders) RequireFolder(folder);
    parsed.newer = folders.back();
    parsed.olds.assign(folders.begin(), folders.end() - 1);
    parsed.output = Required(values, kOutput, "the patch to write with -o PATCH");
    parsed.title =
        Cp932Text(Required(values, kTitle, "the patch's title with --title TEXT"), kTitle);
    parsed.registryKey = Cp932Text(
        Required(values, kRegistryKey, "the registry key with --registry-key KEY"), kRegistryKey);
    RequireNoFolder(parsed.output, kOutput);
    AnsiPathArgument(parsed.output);  // the patch is written through the program's own calls
    if (values.contains(kManifest)) {
        parsed.manifest = values.at(kManifest);
        RequireNoFolder(*parsed.manifest, kManifest);
    }
    if (values.contains(kScratch)) {
        parsed.scratch = values.at(kScratch);
        RequireFolder(*parsed.scratch);
    }
    if (values.contains(kInstallPathLength)) {
        parsed.installPathLength = FolderLength(values.at(kInstallPathLength));
    }
    std::optional<std::string> stub = values.contains(kStub) ? values.at(kStub) : FindDefaultStub();
    if (!stub) throw UsageError(kNoDefaultStub);
    parsed.stub = AnsiPathArgument(*stub);
    RequireCompleteSigning(parsed.signing);
    return parsed;
}

}  // namespace Orvane::Cli
