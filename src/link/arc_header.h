// The header of a LINK archive: five magic bytes, a revision and a tag.
//
//   "LINK3"           magic(5) tag(3)                           no revision: reads as 0
//   "LINK4", "LINK5"  magic(5) tag(3) revision(u16)
//   "LINK6"           magic(5) revision(u16) t(u8) tag(t)       entries with UTF-16 names
//
// Any other five bytes read as the "LINK3" layout but cannot be written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/stream_base.h"

namespace Orvane {

inline constexpr char kMagicLink3[] = "LINK3";
inline constexpr char kMagicLink4[] = "LINK4";
inline constexpr char kMagicLink5[] = "LINK5";
inline constexpr char kMagicLink6[] = "LINK6";

// True for the four layouts above: the archives that can be read by layout and written.
bool IsLinkMagic(const std::string& magic);

class ArcHeader {
public:
    // Reads the header at the stream's position; false on a short read. Never raises.
    bool Read(const std::shared_ptr<Common::StreamBase>& stream);
    // Writes the header for magic, tag and revision. Raises PlainFailure for an unknown magic
    // and MessageFailure when a write fails.
    void Write(const std::shared_ptr<Common::StreamBase>& stream) const;

    // True for "LINK6": entries carry UTF-16 names.
    bool HasUnicodeNames() const { return magic == kMagicLink6; }

    std::string magic;     // the magic bytes as read, up to a zero byte among them
    std::string tag;       // three raw bytes, or the "LINK6" tag text
    std::uint32_t revision = 0;
};

}  // namespace Orvane
