// The bytes of the container's parts, built from a ContainerDescription. Each function raises
// a MessageFailure (texts below) for what the format cannot hold, before anything is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "patch/container_description.h"

namespace Orvane {

inline constexpr char kUnsupportedContainerVersion[] = "the container version must be 0 or 1";
inline constexpr char kTextTooLong[] = "a text is longer than the 65535 bytes the container can hold";
inline constexpr char kTextHoldsZero[] = "a text holds a zero character, which would end it early";
inline constexpr char kTooManyEntries[] =
    "a list is longer than the 65535 entries the container can hold";
inline constexpr char kRecordTooLong[] =
    "a record is longer than the 65535 bytes its size field can hold";
inline constexpr char kPayloadIndexOutOfRange[] =
    "a record names a payload that the payload table does not hold";
inline constexpr char kPayloadTooLarge[] =
    "a payload is larger than the 4 GiB - 1 bytes the container can hold";
inline constexpr char kTimeStampOutOfRange[] = "a time stamp field is out of its calendar range";

// "PATCHv", the version digits and the header fields of that version.
std::vector<std::uint8_t> EncodeHeader(const ContainerDescription& description);
// "[SCRIPT]", the u32 length and every record. Payload indexes are checked against
// payloadCount.
std::vector<std::uint8_t> EncodeScriptSection(const std::vector<ScriptRecord>& records,
                                              std::size_t payloadCount);
// One record with its type and size.
std::vector<std::uint8_t> EncodeRecord(const ScriptRecord& record);
// "[FILE]" and the u16 entry count.
std::vector<std::uint8_t> EncodeTableHead(std::size_t payloadCount);
// A payload entry up to and including its u32 size; the data follows it. The size is the
// data's, or the given one for data that the description does not hold.
std::vector<std::uint8_t> EncodePayloadHead(const PayloadDescription& payload);
std::vector<std::uint8_t> EncodePayloadHead(const PayloadDescription& payload,
                                            std::uint64_t size);

}  // namespace Orvane
