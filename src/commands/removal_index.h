// The removal records of one archive update, found by name in constant time.
//
// An entry is removed by the first record, in script order, that is not used yet, whose
// revision is at or above the archive's revision, and whose name equals the entry's name byte
// for byte. Records below the archive's revision never take part, so they are left out here.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "patch/command_params.h"

namespace Orvane {

class RemovalIndex {
public:
    using Removal = std::shared_ptr<ArchiverParams::revome>;

    RemovalIndex() = default;
    RemovalIndex(const std::vector<Removal>& removals, std::uint32_t archiveRevision);

    // The record that removes an entry of this name, now marked done; empty when none is left.
    Removal Take(const std::string& name);

private:
    std::unordered_map<std::string, std::deque<Removal>> byName_;
};

}  // namespace Orvane
