// Writes the manifest of a container (docs/manifest.md) that `orvpatch build` turns into the
// same container: every payload's bytes in a file of its own in a payload folder, every field
// spelt out, records in their order.
#pragma once

#include <filesystem>
#include <string>

#include "patch/container_description.h"
#include "patch/payload_feed.h"

namespace Orvane::Cli {

inline constexpr char kManifestNotWritten[] = "the manifest cannot be written";

// Writes the manifest to manifestPath and the payload files into payloadFolder (made when
// missing, and empty); the manifest names them as payloadFolderName/FILE, relative to its own
// folder, so both may be written under other names and renamed afterwards. With a feed, the
// payloads' bytes come from it and not from the description. Raises MessageFailure.
void WriteManifest(const ContainerDescription& description,
                   const std::filesystem::path& manifestPath,
                   const std::filesystem::path& payloadFolder,
                   const std::string& payloadFolderName, const PayloadFeed* feed = nullptr);

}  // namespace Orvane::Cli
