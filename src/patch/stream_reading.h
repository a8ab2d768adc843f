// Small readers over a StreamBase for the container's fields. Each one reports by result: false
// when the stream cannot deliver every byte asked for. None of them throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/stream_base.h"

namespace Orvane {

// Reads exactly count bytes; a count of 0 succeeds without touching the stream.
bool ReadExact(Common::StreamBase& stream, void* buffer, std::uint32_t count);
bool ReadU16(Common::StreamBase& stream, std::uint16_t& value);
bool ReadU32(Common::StreamBase& stream, std::uint32_t& value);

// Reads count bytes into a zero-filled buffer of count + padding bytes, so that text in it is
// terminated whatever the bytes hold. Fails without allocating when fewer than count bytes
// are left in the stream.
bool ReadPaddedBlock(Common::StreamBase& stream, std::uint16_t count, std::size_t padding,
                     std::vector<std::uint8_t>& buffer);

// Bytes from the current position to the end of the stream (0 when unknown or past the end).
std::int64_t RemainingBytes(const Common::StreamBase& stream);

// The current position, low 32 bits, as the container's 32-bit offsets hold it.
std::uint32_t PositionLow32(const Common::StreamBase& stream);

// Compares bytes read from a file with an ASCII tag of the same length.
bool MatchesTag(const std::uint8_t* bytes, const char* tag, std::size_t size);

}  // namespace Orvane
