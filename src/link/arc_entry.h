// The header of one LINK archive entry; the entry's data follows it and is not held here.
//
//   narrow names ("LINK3" to "LINK5")       UTF-16 names ("LINK6")
//   u32 record length = 16 + n + data       u32 record length = 15 + n + data
//   u16 kind, u16 year                      u16 kind, u16 year
//   u8 month, day, hour, minute, second     u8 month, day, hour, minute, second
//   u8 n, u16 reserved (written 0)          u16 n (bytes)
//   n bytes name (code page 932)            n bytes name (UTF-16LE)
//
// A record length of 0 is the end marker.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/stream_base.h"

namespace Orvane {

class ArcEntry {
public:
    // Reads one entry header and leaves the stream at its first data byte. Returns the header
    // size, or 0 at the end marker (the fields are then left as they were). Raises PlainFailure
    // on a short read, and when the record length is smaller than the header it gives.
    std::uint32_t Read(const std::shared_ptr<Common::StreamBase>& stream);
    // Whether Write would give back exactly the header bytes the last Read consumed (asked right
    // after Read, before any field changes): not when reserved bytes held something, a narrow
    // name was cut at a zero byte, or the name is empty and cannot be written.
    bool RewritesAsRead() const { return rewritesAsRead_; }
    // Writes the entry header; the caller writes dataSize data bytes after it. Raises the
    // writer's MessageFailure texts; an empty name cannot be written. A name longer than the
    // layout can hold, or a record past 4 GiB, is refused with PlainFailure.
    void Write(const std::shared_ptr<Common::StreamBase>& stream) const;

    bool unicodeNames = false;  // set by the user before the first read or write
    std::uint32_t dataSize = 0;
    std::uint16_t kind = 0;
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::string name;  // code page 932
    // "LINK6" only: the name's UTF-16LE bytes exactly as the archive stores them. Code page 932
    // cannot hold every UTF-16 name, so Write puts these bytes back whenever `name` is still
    // what they convert to: a kept entry keeps its name, whatever the code page can hold.
    std::vector<std::uint8_t> storedName;

private:
    const std::vector<std::uint8_t>& NameBytes(std::vector<std::uint8_t>& converted) const;
    std::uint32_t ReadNarrowName(Common::StreamBase& stream);
    std::uint32_t ReadUnicodeName(Common::StreamBase& stream);

    std::string storedAsAnsi_;  // what storedName converted to when it was read
    bool rewritesAsRead_ = false;
};

}  // namespace Orvane
