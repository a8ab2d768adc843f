#include "patch/image_signature.h"

#include "patch/stream_reading.h"

namespace Orvane {
namespace {

using Common::kFromBeginning;

constexpr std::uint32_t kPeOffsetField = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint32_t kOptionalHeader = 24;       // behind the signature and the file header
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
// Offset of the data directories in the optional header, and of entry 4 among them.
constexpr std::uint32_t kPe32Directories = 96;
constexpr std::uint32_t kPe32PlusDirectories = 112;
constexpr std::uint32_t kSecurityEntry = 4 * 8;
constexpr std::uint64_t kSignerAlignment = 8;

bool ReadAt(Common::StreamBase& stream, std::uint64_t offset, std::uint32_t& value) {
    return stream.Seek(static_cast<std::int64_t>(offset), kFromBeginning) && ReadU32(stream, value);
}

}  // namespace

std::optional<CertificateTable> LocateCertificateTable(Common::StreamBase& stream) {
    std::uint32_t peOffset = 0, signature = 0;
    std::uint16_t magic = 0;
    if (!ReadAt(stream, kPeOffsetField, peOffset) || !ReadAt(stream, peOffset, signature) ||
        signature != kPeSignature) {
        return std::nullopt;
    }
    std::uint64_t optional = std::uint64_t{peOffset} + kOptionalHeader;
    if (!stream.Seek(static_cast<std::int64_t>(optional), kFromBeginning) || !ReadU16(stream, magic)) {
        return std::nullopt;
    }
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return std::nullopt;
    std::uint64_t entry = optional + (magic == kPe32Magic ? kPe32Directories : kPe32PlusDirectories) +
                          kSecurityEntry;
    CertificateTable table;
    if (!ReadAt(stream, entry, table.offset) || !ReadU32(stream, table.size)) return std::nullopt;
    if (table.offset == 0 || table.size == 0) return std::nullopt;
    return table;
}

TrailingBytes ClassifyTrailingBytes(std::uint64_t containerEnd, std::uint64_t fileSize,
                                    const std::optional<CertificateTable>& table,
                                    bool zeroPadding) {
    TrailingBytes trailing;
    if (containerEnd >= fileSize) return trailing;
    if (!table || table->offset < containerEnd) {
        trailing.unexplained = fileSize - containerEnd;
        return trailing;
    }
    std::uint64_t gap = table->offset - containerEnd;
    if (zeroPadding && gap < kSignerAlignment) {
        trailing.padding = gap;
    } else {
        trailing.unexplained = gap;
    }
    std::uint64_t tableEnd = std::uint64_t{table->offset} + table->size;
    if (tableEnd < fileSize) trailing.unexplained += fileSize - tableEnd;
    return trailing;
}

}  // namespace Orvane
