// The removal records of one entry name. A removal record removes, from every archive whose
// revision is at or below its own, the first entry of its name that no earlier record removed;
// so an archive at revision R loses as many entries of the name (its first ones) as there are
// records of the name at or above R.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "patch/container_description.h"

namespace Orvane::Author {

// What one archive needs removed of a name.
struct RemovalNeed {
    std::uint32_t revision = 0;  // the archive's revision
    std::size_t count = 0;       // how many of its entries of the name must go
    bool orMore = false;         // every entry of the name goes, so more records do no harm
};

// Records that remove exactly what each archive needs; nothing when no records can (two
// archives at one revision needing different counts, or a higher revision needing more than a
// lower one). Records come in ascending revision. Every need of a name is exact, or every one
// is orMore: the orMore ones all get records at the highest revision, which every archive sees.
std::optional<std::vector<ArchiveRemoval>> RemovalsFor(const std::string& name,
                                                       std::vector<RemovalNeed> needs);

}  // namespace Orvane::Author
