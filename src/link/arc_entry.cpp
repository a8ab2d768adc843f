#include "link/arc_entry.h"

#include <cstring>
#include <vector>

#include "link/stream_io.h"
#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"

namespace Orvane {
namespace {

constexpr std::uint32_t kNarrowFixedSize = 16;
constexpr std::uint32_t kUnicodeFixedSize = 15;
constexpr std::size_t kMaxNarrowName = 255;
constexpr std::size_t kMaxUnicodeUnits = 32767;
constexpr std::int64_t kReservedSize = 2;
constexpr std::uint32_t kFieldsSize = 9;

std::uint32_t RecordLength(std::uint32_t fixed, std::size_t nameBytes, std::uint32_t dataSize) {
    std::uint64_t length = std::uint64_t{fixed} + nameBytes + dataSize;
    if (length > UINT32_MAX) throw PlainFailure();
    return static_cast<std::uint32_t>(length);
}

}  // namespace

std::uint32_t ArcEntry::Read(const std::shared_ptr<Common::StreamBase>& stream) {
    std::uint32_t length = ReadU32(*stream);
    if (length == 0) return 0;
    std::uint8_t fields[kFieldsSize];  // kind, year, month, day, hour, minute, second
    ReadExactly(*stream, fields, kFieldsSize);
    kind = Common::LoadU16(fields);
    year = Common::LoadU16(fields + 2);
    month = fields[4];
    day = fields[5];
    hour = fields[6];
    minute = fields[7];
    second = fields[8];
    std::uint32_t headerSize = unicodeNames ? ReadUnicodeName(*stream) : ReadNarrowName(*stream);
    // A record shorter than its own header would give a huge data size: the archive is damaged.
    if (length < headerSize) throw PlainFailure();
    dataSize = length - headerSize;
    return headerSize;
}

// The reserved bytes mean nothing; they are read only to know whether a rewrite, which writes
// them as zero, gives the same bytes. A file that ends inside them is left to the name's read,
// as a plain skip over them would.
bool ReservedBytesAreZero(Common::StreamBase& stream) {
    std::uint8_t reserved[kReservedSize] = {};
    std::uint32_t got = 0;
    if (stream.Read(reserved, kReservedSize, &got) && got == kReservedSize) {
        return reserved[0] == 0 && reserved[1] == 0;
    }
    stream.Seek(kReservedSize - got, 1);
    return false;
}

std::uint32_t ArcEntry::ReadNarrowName(Common::StreamBase& stream) {
    std::uint8_t length = ReadU8(stream);
    bool reservedZero = ReservedBytesAreZero(stream);
    char bytes[kMaxNarrowName];
    ReadExactly(stream, bytes, length);
    name.assign(bytes, strnlen(bytes, length));
    rewritesAsRead_ = reservedZero && !name.empty() && name.size() == length;
    return kNarrowFixedSize + length;
}

std::uint32_t ArcEntry::ReadUnicodeName(Common::StreamBase& stream) {
    std::uint16_t length = ReadU16(stream);
    storedName.resize(length);
    ReadExactly(stream, storedName.data(), length);
    name = Common::AnsiFromUtf16Bytes(storedName.data(), length);
    storedAsAnsi_ = name;
    rewritesAsRead_ = !name.empty();
    return kUnicodeFixedSize + length;
}

// The bytes the name is written as: a "LINK6" entry's stored bytes while they still stand for
// `name` (an empty name is never written), otherwise `name`, converted into `converted` for
// "LINK6".
const std::vector<std::uint8_t>& ArcEntry::NameBytes(std::vector<std::uint8_t>& converted) const {
    if (!unicodeNames) {
        converted.assign(name.begin(), name.end());
        if (converted.size() > kMaxNarrowName) throw PlainFailure();
        return converted;
    }
    if (!name.empty() && !storedName.empty() &&
        (name == storedAsAnsi_ ||
         name == Common::AnsiFromUtf16Bytes(storedName.data(), storedName.size()))) {
        return storedName;
    }
    converted = Common::Utf16BytesFromAnsi(name);
    if (converted.size() / 2 > kMaxUnicodeUnits) throw PlainFailure();
    return converted;
}

void ArcEntry::Write(const std::shared_ptr<Common::StreamBase>& stream) const {
    std::vector<std::uint8_t> converted;
    const std::vector<std::uint8_t>& nameBytes = NameBytes(converted);
    std::uint32_t fixed = unicodeNames ? kUnicodeFixedSize : kNarrowFixedSize;
    Common::BinaryWriter writer(stream);
    writer.Write(RecordLength(fixed, nameBytes.size(), dataSize));
    writer.Write(kind);
    writer.Write(year);
    for (std::uint8_t field : {month, day, hour, minute, second}) writer.Write(field);
    if (unicodeNames) {
        writer.Write(static_cast<std::uint16_t>(nameBytes.size()));
        writer.Write(nameBytes.data(), static_cast<std::uint32_t>(nameBytes.size()));
    } else {
        writer.Write(static_cast<std::uint8_t>(nameBytes.size()));
        writer.Write(std::uint16_t{0});
        writer.Write(nameBytes);
    }
}

}  // namespace Orvane
