// A patch worked out from releases, before anything is written: its records, the payloads they
// name and where each payload's bytes lie, and what its author should be told about it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "author/digest.h"
#include "patch/container_description.h"

namespace Orvane::Author {

// Where a payload's bytes are: a file of the new release, or an entry's data inside one.
struct PayloadSource {
    std::filesystem::path::string_type file;  // as ReleaseItem::host
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    Digest digest{};
};

struct PlannedArchive {
    std::string path;  // code page 932
    bool byEntry = false;
    std::string wholeReason;  // code page 932, when shipped whole
    std::uint16_t revision = 0;
    std::size_t removals = 0;
    std::size_t additions = 0;
    std::uint64_t bytes = 0;  // what the patch carries for it: added entries' data, or the file
    // Additions that every old copy holds unchanged: shipped only because an entry before them
    // changed or moved, so that the archive ends in the new release's entry order.
    std::size_t reordered = 0;
    std::uint64_t reorderedBytes = 0;
};

// A copy that the freshness rule skips in an old release (allowed with --allow-skip): the
// installed file is as new as the payload or newer, so it stays as it is.
struct SkippedCopy {
    std::size_t release = 0;  // index among the old releases
    std::u16string key;
    std::string path;  // code page 932
};

struct PatchPlan {
    std::vector<ScriptRecord> records;
    std::vector<PayloadDescription> payloads;  // without their data, which `sources` locate
    std::vector<PayloadSource> sources;        // one per payload
    std::vector<PlannedArchive> archives;
    std::vector<SkippedCopy> skipped;
    // Files deleted ahead of every other record so that copies can make a folder of their
    // name (code page 932). A second run stops at the first of these deletes, which refuses
    // the folder it finds: the installation is new by then.
    std::vector<std::string> wayMade;
    std::vector<std::string> notes;  // code page 932
};

}  // namespace Orvane::Author
