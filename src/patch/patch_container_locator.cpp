#include "patch/patch_container_locator.h"

#include "common/little_endian.h"
#include "patch/container_format.h"
#include "patch/stream_reading.h"

namespace Orvane {
namespace {

// DOS header: "MZ" at 0, the file offset of the PE headers at 0x3C.
constexpr std::uint32_t kDosHeaderSize = 64;
constexpr std::uint16_t kDosSignature = 0x5A4D;
constexpr std::size_t kPeOffsetField = 0x3C;

// PE signature (4), file header (20) and the optional header of a 32-bit image (224). The
// section table is taken to follow them directly; the optional header's size is not read.
// Only an image whose optional header says it is a 64-bit one (magic 0x20B) has its section
// table 16 bytes further: the tests of the Windows code also run as a 64-bit build, which
// reads its own images.
constexpr std::uint32_t kPeHeadersSize = 4 + 20 + 224;
constexpr std::size_t kOptionalMagicField = 4 + 20;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::int64_t kPe32PlusExtraSize = 16;
constexpr std::uint32_t kPeSignature = 0x00004550;
constexpr std::size_t kSectionCountField = 4 + 2;

// Section header: size of raw data at 16, pointer to raw data at 20.
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::size_t kRawSizeField = 16;
constexpr std::size_t kRawPointerField = 20;

using Common::kFromBeginning;
using Common::kFromCurrent;

// Leaves the stream at the PE headers; false when the DOS header is not one.
bool SeekToPeHeaders(Common::StreamBase& stream) {
    std::uint8_t dos[kDosHeaderSize];
    if (!stream.Seek(0, kFromBeginning) || !ReadExact(stream, dos, sizeof dos)) return false;
    if (Common::LoadU16(dos) != kDosSignature) return false;
    auto peOffset = static_cast<std::int32_t>(Common::LoadU32(dos + kPeOffsetField));
    return stream.Seek(peOffset, kFromBeginning);
}

// Leaves the stream at the last section header; false when the PE headers are not a PE's.
bool SeekToLastSectionHeader(Common::StreamBase& stream) {
    std::uint8_t pe[kPeHeadersSize];
    if (!ReadExact(stream, pe, sizeof pe)) return false;
    if (Common::LoadU32(pe) != kPeSignature) return false;
    std::uint16_t sections = Common::LoadU16(pe + kSectionCountField);
    std::int64_t skip = Common::LoadU16(pe + kOptionalMagicField) == kPe32PlusMagic
                            ? kPe32PlusExtraSize
                            : 0;
    if (sections >= 2) skip += std::int64_t{sections - 1} * kSectionHeaderSize;
    return skip == 0 || stream.Seek(skip, kFromCurrent);
}

}  // namespace

std::uint32_t LocatePatchContainer(Common::StreamBase& stream) {
    if (!SeekToPeHeaders(stream) || !SeekToLastSectionHeader(stream)) return kNoContainerOffset;
    std::uint8_t section[kSectionHeaderSize];
    if (!ReadExact(stream, section, sizeof section)) return kNoContainerOffset;
    std::uint64_t end = std::uint64_t{Common::LoadU32(section + kRawPointerField)} +
                        Common::LoadU32(section + kRawSizeField);
    // A sum past 4 GiB cannot be a container offset; wrapping it would point into the image.
    if (end > kMaxContainerEnd) return kNoContainerOffset;
    if (!stream.Seek(static_cast<std::int64_t>(end), kFromBeginning)) return kNoContainerOffset;
    return PositionLow32(stream);
}

}  // namespace Orvane
