// The [[record]] tables of a patch manifest, in script order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "cli/manifest/manifest_payloads.h"
#include "patch/container_description.h"

namespace Orvane::Cli {

// Payloads are named by their ids (code page 932). Raises ManifestError, also for a record
// whose path no record may name (manifest_record_paths.h).
std::vector<ScriptRecord> ReadManifestRecords(const toml::array* tables,
                                              const ManifestPayloads& payloads);

}  // namespace Orvane::Cli
