// The paths a manifest's records name, held to the rules the diff plans by (author/
// record_path.h), so that `build` never writes a record that the patch program refuses or
// that names a file Windows cannot hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "patch/container_description.h"

namespace Orvane::Cli {

// Raises ManifestError on the record's line, naming the record (its number, from 1) and its
// path, unless a record may name it. A copy names its folder followed by its payload's name.
void RequireRecordPath(const ScriptRecord& record, std::size_t number, std::uint32_t line,
                       const std::vector<PayloadDescription>& payloads);

}  // namespace Orvane::Cli
