// `orvpatch arc list --json`: a LINK archive as one JSON object (texts in UTF-8).
//
//   {"layout": "LINK6", "revision": 1 (null for "LINK3"), "tag": TEXT,
//    "entries": [{"index", "kind", "time": "2024-03-05T14:30:00", "size", "name"}],
//    "error": TEXT}                       (only for a damaged archive)
#pragma once

#include <string>

#include "cli/arc/arc_archive.h"

namespace Orvane::Cli {

std::string ArchiveJson(const OpenedArchive& archive);

}  // namespace Orvane::Cli
