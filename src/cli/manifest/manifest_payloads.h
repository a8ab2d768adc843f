// The [[payload]] tables of a patch manifest: files taken from disk, each with the id by which
// records name it.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "patch/container_description.h"

namespace Orvane::Cli {

struct ManifestPayloads {
    std::vector<PayloadDescription> payloads;
    std::map<std::string, std::uint16_t> indexById;  // ids in code page 932
};

// Files are found relative to folder. Raises ManifestError.
ManifestPayloads ReadManifestPayloads(const toml::array* tables,
                                      const std::filesystem::path& folder);

}  // namespace Orvane::Cli
