// The arguments of `orvpatch diff` (see docs/diff.md):
//
//   diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB] [--manifest FILE]
//        [--allow-skip] [--no-verify] [--scratch DIR] [--install-path-length N]
//        [signing options (signing_options.h)]
//
// Mistakes raise UsageError.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/option_reader.h"
#include "cli/signing/signing_options.h"

namespace Orvane::Cli {

// The installation folder the check puts a patch under, in characters with its final
// separator, when --install-path-length does not say: room for the usual
// C:\Program Files (x86)\Publisher\Game\ kind of folder.
inline constexpr std::size_t kDefaultInstallPathLength = 64;
// A folder longer than this leaves no room for a name of a file below it.
inline constexpr std::size_t kLongestInstallPath = 240;

struct DiffArguments {
    std::vector<std::string> olds;  // UTF-8, in the order given
    std::string newer;
    std::string output;
    std::string title;        // code page 932
    std::string registryKey;  // code page 932
    std::string stub;         // code page 932; the default stub when not given
    std::optional<std::string> manifest;
    bool allowSkip = false;
    bool verify = true;
    std::optional<std::string> scratch;  // the folder to make the check's scratch folder in
    std::size_t installPathLength = kDefaultInstallPathLength;
    SigningOptions signing;
};

// The options of diff, the signing options among them.
const OptionTable& DiffOptionTable();

DiffArguments ParseDiffArguments(const ReadOptions& options);

}  // namespace Orvane::Cli
