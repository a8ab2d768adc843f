// The patch container's header: "PATCHv", two version characters, the title and the registry
// key under which the game records its installation folder.
//
//   version 1: u16 T, T bytes title (UTF-16LE), u16 reserved, u16 K, K bytes key (UTF-16LE)
//   version 0: u16 T, T bytes title (ANSI),                  u16 K, K bytes key (ANSI)
//   other:     u16 T, T bytes title (consumed, not kept)
//
// Texts end at their first zero character; the bytes behind it are still consumed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/stream_base.h"

namespace Orvane {

// The header as read. The reader writes only the fields that the container's version defines;
// the defaults are what the main dialog starts from.
struct PatchHeader {
    std::int32_t version = 0;
    std::string title;
    std::uint32_t reserved = 0xFFFFFFFF;  // the u16 reserved value, zero-extended (version 1)
    std::string registryKey;
    std::uint32_t scriptOffset = 0;  // absolute file offset just behind the header
};

// Reads the header at the stream's position (the container's first byte). True when the magic
// matched and every field of the container's version was read; false otherwise, with the
// fields read so far already written. Never throws.
bool ReadPatchHeader(std::shared_ptr<Common::StreamBase> stream, PatchHeader& header);

}  // namespace Orvane
