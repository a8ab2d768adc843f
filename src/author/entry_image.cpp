#include "author/entry_image.h"

#include <memory>

#include "commands/archive_rules.h"
#include "common/failure.h"
#include "common/memory_stream.h"
#include "common/text_encoding.h"
#include "patch/pic_file.h"

namespace Orvane::Author {
namespace {

// What a record writes into a stream of its own; nothing when it raises a failure.
template <typename Record>
std::optional<Bytes> Written(const Record& record) {
    auto stream = std::make_shared<Common::MemoryStream>();
    try {
        record.Write(stream);
    } catch (const MessageFailure&) {
        return std::nullopt;
    } catch (const PlainFailure&) {
        return std::nullopt;
    }
    return stream->Bytes();
}

// The payload as CPatchScript loads it back from the container; nothing when PicFile::Load
// would refuse one of its stamps.
std::optional<PicFile> LoadedPayload(const PayloadDescription& payload) {
    PicFile file;
    file.kind = payload.kind;
    file.name = AfterContainer(payload.name);
    try {
        for (const auto& [stamp, time] : {std::pair{payload.created, &file.created},
                                          std::pair{payload.modified, &file.modified}}) {
            *time = std::make_shared<Basic::CTime>(stamp.year, stamp.month, stamp.day, stamp.hour,
                                                   stamp.minute, stamp.second);
        }
    } catch (const PlainFailure&) {
        return std::nullopt;
    }
    return file;
}

}  // namespace

std::string AfterContainer(const std::string& text) {
    Bytes units = Common::Utf16BytesFromAnsi(text);
    return Common::AnsiFromUtf16Bytes(units.data(), units.size());
}

std::optional<Bytes> WrittenHeader(const ArcHeader& header) { return Written(header); }

std::optional<Bytes> WrittenEntryHead(const ArcEntry& entry) { return Written(entry); }

std::optional<Bytes> AddedEntryHead(const PayloadDescription& payload, std::uint32_t dataSize,
                                    bool unicodeNames) {
    std::optional<PicFile> loaded = LoadedPayload(payload);
    if (!loaded) return std::nullopt;
    ArcEntry entry;
    entry.unicodeNames = unicodeNames;
    DescribeAddedEntry(*loaded, entry);
    entry.dataSize = dataSize;
    return Written(entry);
}

PayloadDescription PayloadForEntry(const ArcEntry& fields) {
    PayloadDescription payload;
    payload.kind = fields.kind;
    payload.name = fields.name;
    payload.modified = {fields.year, fields.month,  fields.day,
                        fields.hour, fields.minute, fields.second};
    payload.created = payload.modified;
    return payload;
}

}  // namespace Orvane::Author
