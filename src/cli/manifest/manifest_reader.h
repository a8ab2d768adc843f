// Reads a patch manifest (TOML, UTF-8) into the description of a patch container. The format
// is described in docs/manifest.md.
#pragma once

#include <string>

#include "cli/manifest/manifest_table.h"
#include "patch/container_description.h"

namespace Orvane::Cli {

// manifestPath is UTF-8; payload files are found relative to its folder. Raises ManifestError
// with the line of the mistake (0 when the file cannot be read at all).
ContainerDescription ReadManifest(const std::string& manifestPath);

}  // namespace Orvane::Cli
