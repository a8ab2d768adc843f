// The [[record]] tables of a patch manifest, in script order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "patch/container_description.h"

namespace Orvane::Cli {

// Payloads are named by their ids (code page 932). Raises ManifestError.
std::vector<ScriptRecord> ReadManifestRecords(
    const toml::array* tables, const std::map<std::string, std::uint16_t>& indexById);

}  // namespace Orvane::Cli
