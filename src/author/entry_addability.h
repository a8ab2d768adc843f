// Whether the archive update can append an entry, exactly as an archive stores it, from a
// payload of the patch.
#pragma once

#include <string>

#include "author/archive_image.h"

namespace Orvane::Author {

inline constexpr char kEmptyName[] = "an empty name";
inline constexpr char kZeroInName[] = "a zero byte in its name";
inline constexpr char kReservedNotZero[] = "reserved bytes that a rebuild writes as zero";
inline constexpr char kNameOutsideCodePage[] = "a name that code page 932 cannot hold";
inline constexpr char kStampNotKept[] = "a time stamp that the patch program reads otherwise";
inline constexpr char kNotReproducible[] = "bytes that a rebuild does not write";

// Empty when the update writes the entry's header exactly as stored for the payload
// PayloadForEntry makes of it; otherwise why not (one of the texts above).
std::string WhyNotAddable(const ArchiveEntry& entry);

}  // namespace Orvane::Author
