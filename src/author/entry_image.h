// The bytes the archive records write, made in memory: what a rebuild of an archive writes for
// its header, for an entry it keeps and for an entry it adds from a payload. Comparing these
// with the bytes a release stores tells whether an update can reproduce that release's archive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "patch/container_description.h"

namespace Orvane::Author {

using Bytes = std::vector<std::uint8_t>;

// The header as ArcHeader::Write writes it; nothing for a header it refuses.
std::optional<Bytes> WrittenHeader(const ArcHeader& header);

// The entry header as ArcEntry::Write writes it for a kept entry; nothing when the update would
// fail on it (an empty name, a name longer than the layout holds).
std::optional<Bytes> WrittenEntryHead(const ArcEntry& entry);

// The entry header that the update appends for this payload, as the patch program meets the
// payload: its name after the container's UTF-16 round trip, its last-write stamp after the
// calendar round trip. Nothing when the program would refuse the payload's stamps or the entry.
std::optional<Bytes> AddedEntryHead(const PayloadDescription& payload, std::uint32_t dataSize,
                                    bool unicodeNames);

// A text as the patch program reads it back from the container, where texts are UTF-16: a
// code page 932 text that does not survive the trip comes back changed.
std::string AfterContainer(const std::string& text);

// The payload that adds the entry fields describes: its kind, its name and its time stamp as
// both the payload's times.
PayloadDescription PayloadForEntry(const ArcEntry& fields);

}  // namespace Orvane::Author
