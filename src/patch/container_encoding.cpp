#include "patch/container_encoding.h"

#include <limits>
#include <string>

#include "common/failure.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"
#include "patch/container_format.h"

namespace Orvane {
namespace {

constexpr std::size_t kU16Max = std::numeric_limits<std::uint16_t>::max();
constexpr std::uint64_t kU32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint16_t kMinYear = 1900;

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Refuse(const char* text, const std::string& detail) {
    throw MessageFailure(std::string(text) + ": " + detail);
}

void AppendBytes(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

void AppendAscii(Bytes& out, const char* text, std::size_t size) {
    out.insert(out.end(), text, text + size);
}

std::uint16_t CheckedCount(std::size_t count, const char* what) {
    if (count > kU16Max) Refuse(kTooManyEntries, what);
    return static_cast<std::uint16_t>(count);
}

// A u16 byte count and the text, UTF-16LE or (version-0 header) ANSI.
void AppendText(Bytes& out, const std::string& text, bool utf16) {
    if (text.find('\0') != std::string::npos) Refuse(kTextHoldsZero, text.c_str());
    Bytes bytes = utf16 ? Common::Utf16BytesFromAnsi(text) : Bytes(text.begin(), text.end());
    if (bytes.size() > kU16Max) Refuse(kTextTooLong, text.substr(0, 40));
    Common::AppendU16(out, static_cast<std::uint16_t>(bytes.size()));
    AppendBytes(out, bytes);
}

void AppendTimeStamp(Bytes& out, const TimeStamp& stamp) {
    bool valid = stamp.year >= kMinYear && stamp.month >= 1 && stamp.month <= 12 &&
                 stamp.day >= 1 && stamp.day <= 31 && stamp.hour <= 23 && stamp.minute <= 59 &&
                 stamp.second <= 59;
    if (!valid) Refuse(kTimeStampOutOfRange, std::to_string(stamp.year));
    Common::AppendU16(out, stamp.year);
    out.insert(out.end(), {stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second});
}

constexpr std::int32_t TypeOf(const CopyRecord&) { return kCopyCommand; }
constexpr std::int32_t TypeOf(const DeleteRecord&) { return kDeleteCommand; }
constexpr std::int32_t TypeOf(const ArchiveRecord&) { return kArchiveCommand; }

void EncodeBody(Bytes& out, const CopyRecord& record) {
    AppendText(out, record.folder, true);
    Common::AppendU16(out, record.payloadIndex);
}

void EncodeBody(Bytes& out, const DeleteRecord& record) { AppendText(out, record.path, true); }

void EncodeBody(Bytes& out, const ArchiveRecord& record) {
    AppendText(out, record.path, true);
    Common::AppendU16(out, record.revision);
    Common::AppendU16(out, CheckedCount(record.removals.size(), "removals"));
    for (const ArchiveRemoval& removal : record.removals) {
        Common::AppendU16(out, removal.revision);
        AppendText(out, removal.name, true);
    }
    Common::AppendU16(out, CheckedCount(record.additions.size(), "additions"));
    for (const ArchiveAddition& addition : record.additions) {
        Common::AppendU16(out, addition.reserved);
        Common::AppendU16(out, addition.payloadIndex);
    }
}

void CheckPayloadIndexes(const ScriptRecord& record, std::size_t payloadCount) {
    auto check = [payloadCount](std::uint16_t index) {
        if (index >= payloadCount) Refuse(kPayloadIndexOutOfRange, std::to_string(index));
    };
    if (const auto* copy = std::get_if<CopyRecord>(&record)) check(copy->payloadIndex);
    if (const auto* archive = std::get_if<ArchiveRecord>(&record)) {
        for (const ArchiveAddition& addition : archive->additions) check(addition.payloadIndex);
    }
}

}  // namespace

Bytes EncodeHeader(const ContainerDescription& description) {
    if (description.version != 0 && description.version != 1) {
        Refuse(kUnsupportedContainerVersion, std::to_string(description.version));
    }
    bool utf16 = description.version == 1;
    Bytes out;
    AppendAscii(out, kContainerMagic, kContainerMagicSize);
    out.push_back('0');
    out.push_back(static_cast<std::uint8_t>('0' + description.version));
    AppendText(out, description.title, utf16);
    if (utf16) Common::AppendU16(out, description.reserved);
    AppendText(out, description.registryKey, utf16);
    return out;
}

Bytes EncodeRecord(const ScriptRecord& record) {
    Bytes body;
    std::int32_t type = 0;
    std::visit(
        [&body, &type](const auto& r) {
            type = TypeOf(r);
            EncodeBody(body, r);
        },
        record);
    std::size_t size = kRecordHeadSize + body.size();
    if (size > kU16Max) Refuse(kRecordTooLong, std::to_string(size));
    Bytes out;
    Common::AppendU16(out, static_cast<std::uint16_t>(type));
    Common::AppendU16(out, static_cast<std::uint16_t>(size));
    AppendBytes(out, body);
    return out;
}

Bytes EncodeScriptSection(const std::vector<ScriptRecord>& records, std::size_t payloadCount) {
    Bytes script;
    for (const ScriptRecord& record : records) {
        CheckPayloadIndexes(record, payloadCount);
        AppendBytes(script, EncodeRecord(record));
    }
    Bytes out;
    AppendAscii(out, kScriptTag, kScriptTagSize);
    Common::AppendU32(out, static_cast<std::uint32_t>(script.size()));
    AppendBytes(out, script);
    return out;
}

Bytes EncodeTableHead(std::size_t payloadCount) {
    Bytes out;
    AppendAscii(out, kFileTag, kFileTagSize);
    Common::AppendU16(out, CheckedCount(payloadCount, "payloads"));
    return out;
}

Bytes EncodePayloadHead(const PayloadDescription& payload) {
    return EncodePayloadHead(payload, payload.data.size());
}

Bytes EncodePayloadHead(const PayloadDescription& payload, std::uint64_t size) {
    Bytes out;
    Common::AppendU16(out, payload.kind);
    AppendText(out, payload.name, true);
    AppendTimeStamp(out, payload.created);
    AppendTimeStamp(out, payload.modified);
    if (size > kU32Max) Refuse(kPayloadTooLarge, payload.name);
    Common::AppendU32(out, static_cast<std::uint32_t>(size));
    return out;
}

}  // namespace Orvane
