// Constants of the patch container, shared by its readers and its writer.
//
// The container follows the raw data of the executable image's last section and runs to the
// end of the file; every integer is little-endian:
//
//   "PATCHv" + two digits     format version ("00" or "01")
//   header                    title, (version 1: u16 reserved), registry key path
//   "[SCRIPT]" u32 L          then L bytes of command records
//   "[FILE]"   u16 M          then M payload entries
//
// Version 1 stores its strings as UTF-16LE behind a u16 byte count; version 0 stores ANSI.
// Every offset into the container is 32-bit, so the whole file must stay below 4 GiB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvane {

inline constexpr char kContainerMagic[] = "PATCHv";
inline constexpr std::size_t kContainerMagicSize = 6;
inline constexpr std::size_t kVersionDigitsSize = 2;

inline constexpr char kScriptTag[] = "[SCRIPT]";
inline constexpr std::size_t kScriptTagSize = 8;
inline constexpr char kFileTag[] = "[FILE]";
inline constexpr std::size_t kFileTagSize = 6;

// LocatePatchContainer's result when the image headers cannot be walked.
inline constexpr std::uint32_t kNoContainerOffset = 0xFFFFFFFF;
// The largest file offset (and file size) that the container's 32-bit offsets can express.
inline constexpr std::uint64_t kMaxContainerEnd = 0xFFFFFFFF;

// The `type` of a command record; kEndOfScript marks the end of the script.
inline constexpr std::int32_t kCopyCommand = 0;
inline constexpr std::int32_t kDeleteCommand = 1;
inline constexpr std::int32_t kArchiveCommand = 2;
inline constexpr std::int32_t kEndOfScript = -1;

// Every record starts with u16 type and u16 recordSize.
inline constexpr std::size_t kRecordHeadSize = 4;

// A payload time stamp: u16 year, then month, day, hour, minute and second bytes.
inline constexpr std::size_t kTimeStampSize = 7;

}  // namespace Orvane
