#include "cli/diff/diff_arguments.h"

#include <charconv>
#include <filesystem>

#include "author/path_key.h"
#include "cli/default_stub.h"
#include "cli/path_argument.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

constexpr char kOutput[] = "--output";
constexpr char kOutputShort[] = "-o";
constexpr char kTitle[] = "--title";
constexpr char kRegistryKey[] = "--registry-key";
constexpr char kStub[] = "--stub";
constexpr char kManifest[] = "--manifest";
constexpr char kAllowSkip[] = "--allow-skip";
constexpr char kNoVerify[] = "--no-verify";
constexpr char kScratch[] = "--scratch";
constexpr char kInstallPathLength[] = "--install-path-length";
constexpr char kTwoReleases[] = "give at least one old release and the new one";
constexpr char kMissing[] = "give ";
constexpr char kNotFolder[] = "not a folder: ";
constexpr char kNamesFolder[] = " names a folder: ";
constexpr char kNotCp932[] = " holds characters that code page 932 cannot represent";
constexpr char kNotLength[] = " takes a number of characters from 1 to ";

std::string Required(const ReadOptions& options, const char* option, const char* what) {
    if (!options.Has(option)) throw UsageError(kMissing + std::string(what));
    return options.Value(option);
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

const OptionTable& DiffOptionTable() {
    static const OptionTable table = WithSigningOptions({
        {kOutput, kOutputShort, "PATCH", false, true, "the patch executable to write"},
        {kTitle, nullptr, "TEXT", false, true, "the patch's title, shown by the patch program"},
        {kRegistryKey, nullptr, "KEY", false, true,
         "the registry key under which the game names its installation folder"},
        {kStub, nullptr, "STUB", false, false,
         "the patch program to put the container behind (default: the installed one)"},
        {kManifest, nullptr, "FILE", false, false, "also write the patch's manifest and payloads"},
        {kAllowSkip, nullptr, nullptr, false, false,
         "leave files that no patch can bring to the new release as they are"},
        {kNoVerify, nullptr, nullptr, false, false,
         "do not apply the patch to the old releases to check it"},
        {kScratch, nullptr, "DIR", false, false, "the folder to make the check's scratch folder in"},
        {kInstallPathLength, nullptr, "N", false, false,
         "the length of the installation folder the paths must fit below"},
    });
    return table;
}

DiffArguments ParseDiffArguments(const ReadOptions& options) {
    DiffArguments parsed;
    const std::vector<std::string>& folders = options.operands;
    if (folders.size() < 2) throw UsageError(kTwoReleases);
    for (const std::string& folder : folders) RequireFolder(folder);
    parsed.newer = folders.back();
    parsed.olds.assign(folders.begin(), folders.end() - 1);
    parsed.allowSkip = options.Has(kAllowSkip);
    parsed.verify = !options.Has(kNoVerify);
    parsed.output = Required(options, kOutput, "the patch to write with -o PATCH");
    parsed.title =
        Cp932Text(Required(options, kTitle, "the patch's title with --title TEXT"), kTitle);
    parsed.registryKey = Cp932Text(
        Required(options, kRegistryKey, "the registry key with --registry-key KEY"), kRegistryKey);
    RequireNoFolder(parsed.output, kOutputShort);
    AnsiPathArgument(parsed.output);  // the patch is written through the program's own calls
    if (options.Has(kManifest)) {
        parsed.manifest = options.Value(kManifest);
        RequireNoFolder(*parsed.manifest, kManifest);
    }
    if (options.Has(kScratch)) {
        parsed.scratch = options.Value(kScratch);
        RequireFolder(*parsed.scratch);
    }
    if (options.Has(kInstallPathLength)) {
        parsed.installPathLength = FolderLength(options.Value(kInstallPathLength));
    }
    std::optional<std::string> stub = options.Has(kStub) ? options.Value(kStub) : FindDefaultStub();
    if (!stub) throw UsageError(kNoDefaultStub);
    parsed.stub = AnsiPathArgument(*stub);
    parsed.signing = ReadSigningOptions(options);
    return parsed;
}

}  // namespace Orvane::Cli
