// The payload table ("[FILE]" section): every file the patch brings along, loaded one at a time
// by index when a command needs it.
//
//   u16 M, then M entries:
//     u16 kind, u16 N, N bytes name (UTF-16LE), 7 bytes creation stamp, 7 bytes last-write
//     stamp, u32 S, S bytes data
//   stamp: u16 year, month, day, hour, minute, second (local time)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/buffered_writer.h"
#include "common/ctime.h"
#include "common/stream_base.h"

namespace Orvane {

// One payload. A new PicFile is empty: kind 0, no name, no times, no data.
//
// Loaded whole, `data` holds its bytes. A run does not hold them: it loads the payload without
// its data and streams the dataSize bytes at dataOffset of the patch file to where they go, so
// that a payload of any size costs no more memory than a small one.
struct PicFile {
    std::uint16_t kind = 0;
    std::string name;
    std::shared_ptr<Basic::CTime> created;
    std::shared_ptr<Basic::CTime> modified;
    std::vector<std::uint8_t> data;    // empty unless loaded whole
    std::uint32_t dataSize = 0;        // the payload's size as stored
    std::int64_t dataOffset = 0;       // where its bytes begin in the patch file
    std::shared_ptr<Common::StreamBase> source;  // the patch file, when the bytes were left there

    // Fills the fields from the entry at the stream's position and leaves the stream behind
    // the data. False on a short read, a time stamp that CTime rejects, or data that is larger
    // than what is left of the file or than memory allows; fields set before keep their
    // values. Never throws.
    bool Load(std::shared_ptr<Common::StreamBase> stream);
    // The same, without reading the data: it must lie within the file, and is skipped; the
    // stream is kept as `source` to copy the data from later.
    bool LoadWithoutData(std::shared_ptr<Common::StreamBase> stream);

    // Writes the payload's bytes to the writer: `data` when loaded whole, else dataSize bytes
    // copied from `source` in bounded pieces. False when they cannot all be read or written.
    bool WriteData(Common::BufferedWriter& to) const;
};

// Whether a load reads the payload's bytes into `data` or leaves them in the file.
enum class PayloadBytes { Load, Leave };

// Walks the table from just behind the "[FILE]" tag and appends every entry's file offset to
// positions. Names and data are skipped by seeks, so a payload cut short at the end of the
// file passes here and fails only when it is loaded. False at the first failed read or seek.
bool IndexFileTable(const std::shared_ptr<Common::StreamBase>& stream,
                    std::vector<std::uint32_t>& positions);

// Loads the payload with the given index afresh; empty when the index is not below the number
// of positions (the stream is then not touched), or the seek or the load fails.
std::shared_ptr<PicFile> LoadPicFile(const std::shared_ptr<Common::StreamBase>& stream,
                                     const std::vector<std::uint32_t>& positions,
                                     std::size_t index, PayloadBytes bytes = PayloadBytes::Load);

}  // namespace Orvane
