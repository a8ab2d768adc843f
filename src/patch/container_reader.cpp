#include "patch/container_reader.h"

#include <memory>

#include "patch/patch_script.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

using Common::kFromBeginning;

void DescribeHeader(const PatchHeader& header, ContainerDescription& description) {
    description.version = header.version;
    description.title = header.title;
    if (header.version == 1) description.reserved = static_cast<std::uint16_t>(header.reserved);
    description.registryKey = header.registryKey;
}

ScriptRecord DescribeArchive(const ArchiverParams& params) {
    ArchiveRecord record{params.relativePath, params.revision, {}, {}};
    for (const auto& removal : params.removals) {
        record.removals.push_back({removal->revision, removal->name});
    }
    for (const auto& addition : params.additions) {
        record.additions.push_back({addition->reserved, addition->fileIndex});
    }
    return record;
}

ScriptRecord DescribeRecord(const std::shared_ptr<ICmdParams>& command) {
    switch (command->type) {
        case kCopyCommand: {
            const auto& copy = static_cast<const CopyParams&>(*command);
            return CopyRecord{copy.relativePath, copy.fileIndex};
        }
        case kDeleteCommand:
            return DeleteRecord{static_cast<const DeleteParams&>(*command).relativePath};
        default:
            return DescribeArchive(static_cast<const ArchiverParams&>(*command));
    }
}

void ReadPayloads(const CPatchScript& script, PayloadData payloadData,
                  ContainerReading& reading) {
    Common::StreamBase& stream = *script.Stream();
    for (std::uint32_t position : script.FilePositions()) {
        StoredPayload stored;
        if (!stream.Seek(position, kFromBeginning)) {
            stored.problem = PayloadProblem::CutShort;
        } else {
            ReadStoredPayload(stream, stored, payloadData == PayloadData::Keep);
        }
        reading.description.payloads.push_back(std::move(stored.fields));
        reading.payloadSizes.push_back(stored.size);
        reading.payloadProblems.push_back(stored.problem);
    }
}

bool ReadRecords(CPatchScript& script, ContainerReading& reading) {
    for (;;) {
        std::shared_ptr<ICmdParams> command = script.NextCommand();
        if (!command) return false;
        if (command->type == kEndOfScript) return true;
        reading.description.records.push_back(DescribeRecord(command));
    }
}

ContainerReading& Stop(ContainerReading& reading, ReadingStop where, const std::string& text) {
    reading.stoppedAt = where;
    reading.failureText = text;
    return reading;
}

}  // namespace

TimeStamp TimeStampOf(const Basic::CTime& time) {
    return TimeStamp{static_cast<std::uint16_t>(time.GetYear()),
                     static_cast<std::uint8_t>(time.GetMonth()),
                     static_cast<std::uint8_t>(time.GetDay()),
                     static_cast<std::uint8_t>(time.GetHour()),
                     static_cast<std::uint8_t>(time.GetMinute()),
                     static_cast<std::uint8_t>(time.GetSecond())};
}

ContainerReading ReadContainer(const std::string& exePath, PayloadData payloadData) {
    ContainerReading reading;
    reading.start = ReadContainerStart(exePath);
    if (!reading.start.failureText.empty()) {
        return Stop(reading, ReadingStop::Start, reading.start.failureText);
    }
    DescribeHeader(reading.start.header, reading.description);
    CPatchScript script(exePath, reading.start.header.scriptOffset, reading.start.header.version);
    if (!script.Stream()) return Stop(reading, ReadingStop::Script, kScriptLoadFailed);
    reading.containerEnd = script.ContainerEnd();
    ReadPayloads(script, payloadData, reading);
    if (!ReadRecords(script, reading)) return Stop(reading, ReadingStop::Record, kScriptParseFailed);
    return reading;
}

}  // namespace Orvane
