#include "author/archive_image.h"

#include <algorithm>
#include <memory>

#include "author/host_file_reader.h"
#include "common/failure.h"

namespace Orvane::Author {
namespace {

constexpr std::size_t kMagicSize = 5;
constexpr std::uint32_t kChunk = 1 << 20;
// The bytes from `from` to the current position, read again; the stream ends where it was.
std::optional<Bytes> BytesSince(Common::StreamBase& stream, std::int64_t from) {
    std::int64_t to = stream.GetPosition();
    Bytes bytes(static_cast<std::size_t>(to - from));
    if (!stream.Seek(from, 0) ||
        (!bytes.empty() && !stream.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size())))) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<Digest> DigestOfData(Common::StreamBase& stream, std::uint32_t size) {
    if (stream.GetLength() - stream.GetPosition() < size) return std::nullopt;
    Os::Sha256 hash;
    Bytes buffer(std::min(size, kChunk));
    while (size > 0) {
        std::uint32_t take = std::min(size, kChunk);
        if (!stream.Read(buffer.data(), take)) return std::nullopt;
        hash.Update(buffer.data(), take);
        size -= take;
    }
    return FinishDigest(hash);
}

// The next entry; false at the end marker. Raises PlainFailure where the archive is damaged.
bool ReadEntry(const std::shared_ptr<HostFileReader>& stream, ArchiveImage& archive) {
    ArchiveEntry entry;
    entry.fields.unicodeNames = archive.header.HasUnicodeNames();
    std::int64_t start = stream->GetPosition();
    std::uint32_t headSize = entry.fields.Read(stream);
    if (headSize == 0) return false;
    std::optional<Bytes> head = BytesSince(*stream, start);
    std::optional<Digest> data = head ? DigestOfData(*stream, entry.fields.dataSize) : std::nullopt;
    if (!data) throw PlainFailure();
    entry.stored = {*head, *data};
    entry.dataOffset = static_cast<std::uint64_t>(start) + headSize;
    if (std::optional<Bytes> kept = WrittenEntryHead(entry.fields)) {
        entry.kept = EntryBytes{*kept, *data};
    }
    archive.entries.push_back(std::move(entry));
    return true;
}

}  // namespace

bool HasArchiveMagic(const std::filesystem::path& path) {
    HostFileReader file(path);
    char magic[kMagicSize + 1] = {};
    return file.Read(magic, kMagicSize) && IsLinkMagic(magic);
}

std::optional<ArcHeader> ReadArchiveHeader(const std::filesystem::path& path) {
    auto stream = std::make_shared<HostFileReader>(path);
    ArcHeader header;
    if (!stream->CanRead() || !header.Read(stream) || !IsLinkMagic(header.magic)) {
        return std::nullopt;
    }
    return header;
}

std::optional<ArchiveImage> ReadArchiveImage(const std::filesystem::path& path) {
    auto stream = std::make_shared<HostFileReader>(path);
    ArchiveImage archive;
    if (!stream->CanRead() || !archive.header.Read(stream) || !IsLinkMagic(archive.header.magic)) {
        return std::nullopt;
    }
    std::optional<Bytes> head = BytesSince(*stream, 0);
    if (!head) return std::nullopt;
    archive.head = std::move(*head);
    try {
        while (ReadEntry(stream, archive)) {
        }
    } catch (const PlainFailure&) {
        return std::nullopt;
    }
    archive.endsAtMarker = stream->GetPosition() == stream->GetLength();
    return archive;
}

}  // namespace Orvane::Author
