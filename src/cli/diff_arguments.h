// The arguments of `orvpatch diff` (see docs/diff.md):
//
//   diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB] [--manifest FILE]
//        [--allow-skip] [--no-verify] [signing options (signing_options.h)]
//
// Long options also take their value as --option=VALUE; "--" ends the options. Mistakes raise
// UsageError.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/signing_options.h"

namespace Orvane::Cli {

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
    SigningOptions signing;
};

DiffArguments ParseDiffArguments(const Arguments& arguments);

}  // namespace Orvane::Cli
