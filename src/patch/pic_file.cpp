#include "patch/pic_file.h"

#include <new>

#include "common/byte_copy.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"
#include "patch/container_format.h"
#include "patch/stream_reading.h"

namespace Orvane {
namespace {

using Common::kFromBeginning;
using Common::kFromCurrent;
constexpr std::size_t kUtf16Padding = 2;
constexpr std::int64_t kKindSize = 2;

// A 7-byte local time stamp; empty when CTime rejects its fields.
std::shared_ptr<Basic::CTime> ReadTimeStamp(Common::StreamBase& stream) {
    std::uint8_t stamp[kTimeStampSize];
    if (!ReadExact(stream, stamp, sizeof stamp)) return nullptr;
    try {
        return std::make_shared<Basic::CTime>(Common::LoadU16(stamp), stamp[2], stamp[3],
                                              stamp[4], stamp[5], stamp[6], -1);
    } catch (const PlainFailure&) {
        return nullptr;
    }
}

bool ReadName(Common::StreamBase& stream, std::string& name) {
    std::uint16_t size = 0;
    std::vector<std::uint8_t> buffer;
    if (!ReadU16(stream, size) || !ReadPaddedBlock(stream, size, kUtf16Padding, buffer)) {
        return false;
    }
    name = Common::AnsiFromUtf16Bytes(buffer.data(), size);
    return true;
}

// The data's size and place; a size beyond the end of the file would only end in a short read,
// so it is refused before anything is allocated or read.
bool ReadDataPlace(Common::StreamBase& stream, PicFile& file) {
    if (!ReadU32(stream, file.dataSize)) return false;
    file.dataOffset = stream.GetPosition();
    return RemainingBytes(stream) >= file.dataSize;
}

bool LoadFields(Common::StreamBase& stream, PicFile& file, PayloadBytes bytes) {
    std::uint8_t kind[kKindSize];
    if (!ReadExact(stream, kind, sizeof kind)) return false;
    file.kind = Common::LoadU16(kind);
    if (!ReadName(stream, file.name)) return false;
    if (!(file.created = ReadTimeStamp(stream))) return false;
    if (!(file.modified = ReadTimeStamp(stream))) return false;
    if (!ReadDataPlace(stream, file)) return false;
    if (bytes == PayloadBytes::Leave) return stream.Seek(file.dataSize, kFromCurrent);
    file.data.resize(file.dataSize);
    return ReadExact(stream, file.data.data(), file.dataSize);
}

bool LoadEntry(const std::shared_ptr<Common::StreamBase>& stream, PicFile& file,
               PayloadBytes bytes) {
    if (!stream) return false;
    try {
        return LoadFields(*stream, file, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Skips one entry, reading only its two length fields.
bool SkipEntry(Common::StreamBase& stream) {
    std::uint16_t nameSize = 0;
    std::uint32_t dataSize = 0;
    return stream.Seek(kKindSize, kFromCurrent) && ReadU16(stream, nameSize) &&
           stream.Seek(nameSize + 2 * std::int64_t{kTimeStampSize}, kFromCurrent) &&
           ReadU32(stream, dataSize) && stream.Seek(dataSize, kFromCurrent);
}

}  // namespace

bool PicFile::Load(std::shared_ptr<Common::StreamBase> stream) {
    return LoadEntry(stream, *this, PayloadBytes::Load);
}

bool PicFile::LoadWithoutData(std::shared_ptr<Common::StreamBase> stream) {
    if (!LoadEntry(stream, *this, PayloadBytes::Leave)) return false;
    source = std::move(stream);
    return true;
}

bool PicFile::WriteData(Common::BufferedWriter& to) const {
    if (!source) return data.empty() || to.Write(data.data(), static_cast<std::uint32_t>(data.size()));
    return source->Seek(dataOffset, kFromBeginning) && Common::CopyBytes(*source, to, dataSize);
}

bool IndexFileTable(const std::shared_ptr<Common::StreamBase>& stream,
                    std::vector<std::uint32_t>& positions) {
    std::uint16_t count = 0;
    if (!stream || !ReadU16(*stream, count)) return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::int64_t position = stream->GetPosition();
        // An entry past 4 GiB has no 32-bit offset; a wrapped one would load another entry.
        if (position < 0 || static_cast<std::uint64_t>(position) > kMaxContainerEnd) return false;
        positions.push_back(static_cast<std::uint32_t>(position));
        if (!SkipEntry(*stream)) return false;
    }
    return true;
}

std::shared_ptr<PicFile> LoadPicFile(const std::shared_ptr<Common::StreamBase>& stream,
                                     const std::vector<std::uint32_t>& positions,
                                     std::size_t index, PayloadBytes bytes) {
    if (index >= positions.size() || !stream) return nullptr;
    if (!stream->Seek(positions[index], kFromBeginning)) return nullptr;
    auto file = std::make_shared<PicFile>();
    bool loaded = bytes == PayloadBytes::Load ? file->Load(stream) : file->LoadWithoutData(stream);
    if (!loaded) return nullptr;
    return file;
}

}  // namespace Orvane
