#include "cli/views/info_text.h"

#include <cinttypes>
#include <string>
#include <vector>

#include "cli/views/console.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

// Labels of the header lines, padded to one column.
constexpr char kContainerLabel[] = "container     ";
constexpr char kScriptLabel[] = "script        ";
constexpr char kVersionLabel[] = "version       ";
constexpr char kTitleLabel[] = "title         ";
constexpr char kReservedLabel[] = "reserved      ";
constexpr char kRegistryKeyLabel[] = "registry key  ";
constexpr char kPayloadsHeading[] = "payloads";
// "  #INDEX  kind KIND  NAME  created STAMP  modified STAMP  SIZE bytes"
constexpr char kPayloadLine[] = "  #%zu  kind %u  %s  created %s  modified %s  %" PRIu32 " bytes";
// Behind the line of a payload that the patch program cannot load: "  cannot be loaded: WHY".
constexpr char kCannotBeLoaded[] = "  cannot be loaded: ";
constexpr char kCreatedRejected[] = "creation time stamp not accepted as a local time";
constexpr char kModifiedRejected[] = "last-write time stamp not accepted as a local time";
constexpr char kCutShort[] = "cut short by the end of the file";
constexpr char kRecordsHeading[] = "records";
// Record lines: "copy     FOLDER <- #INDEX NAME", "delete   PATH", "archive  PATH -> revision N",
// and below an archive one line for each entry it removes ("remove NAME (revision N)") and
// each payload it adds ("add #INDEX NAME"), in the record's order.
constexpr char kCopyLabel[] = "copy     ";
constexpr char kDeleteLabel[] = "delete   ";
constexpr char kArchiveLabel[] = "archive  ";
constexpr char kCopyArrow[] = " <- ";
constexpr char kRevisionArrow[] = " -> revision ";
constexpr char kRemoval[] = "           remove ";
constexpr char kRemovalRevision[] = " (revision ";
constexpr char kAddition[] = "           add ";

// Names and paths are quoted, so that an empty one or one with spaces stays visible.
std::string Quoted(const std::string& ansi) { return "\"" + Common::Utf8FromAnsi(ansi) + "\""; }

std::string Offset(std::uint32_t offset) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRIu32 " (0x%" PRIX32 ")", offset, offset);
    return text;
}

std::string PayloadRef(const ContainerDescription& description, std::uint16_t index) {
    std::string text = "#" + std::to_string(index);
    if (index < description.payloads.size()) text += " " + Quoted(description.payloads[index].name);
    return text;
}

void PrintRecord(std::FILE* out, const ContainerDescription& d, const CopyRecord& record) {
    PrintLine(out, "  " + (kCopyLabel + Quoted(record.folder)) + kCopyArrow +
                       PayloadRef(d, record.payloadIndex));
}

void PrintRecord(std::FILE* out, const ContainerDescription&, const DeleteRecord& record) {
    PrintLine(out, "  " + (kDeleteLabel + Quoted(record.path)));
}

void PrintRecord(std::FILE* out, const ContainerDescription& d, const ArchiveRecord& record) {
    PrintLine(out, "  " + (kArchiveLabel + Quoted(record.path)) + kRevisionArrow +
                       std::to_string(record.revision));
    for (const ArchiveRemoval& removal : record.removals) {
        PrintLine(out, kRemoval + Quoted(removal.name) + kRemovalRevision +
                           std::to_string(removal.revision) + ")");
    }
    for (const ArchiveAddition& addition : record.additions) {
        PrintLine(out, kAddition + PayloadRef(d, addition.payloadIndex));
    }
}

void PrintHeader(std::FILE* out, const ContainerReading& reading) {
    const PatchHeader& header = reading.start.header;
    PrintLine(out, kContainerLabel + Offset(reading.start.containerOffset));
    PrintLine(out, kScriptLabel + Offset(header.scriptOffset));
    PrintLine(out, kVersionLabel + std::to_string(header.version));
    PrintLine(out, kTitleLabel + Quoted(header.title));
    if (header.version == 1) PrintLine(out, kReservedLabel + std::to_string(header.reserved));
    PrintLine(out, kRegistryKeyLabel + Quoted(header.registryKey));
}

void PrintPayloads(std::FILE* out, const ContainerReading& reading) {
    const auto& payloads = reading.description.payloads;
    PrintLine(out, kPayloadsHeading);
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        const PayloadDescription& p = payloads[i];
        std::string name = Quoted(p.name);
        std::vector<char> line(name.size() + 128);
        std::snprintf(line.data(), line.size(), kPayloadLine, i, unsigned{p.kind}, name.c_str(),
                      FormatTimeStamp(p.created).c_str(), FormatTimeStamp(p.modified).c_str(),
                      reading.payloadSizes[i]);
        std::string problem = PayloadProblemText(reading.payloadProblems[i]);
        PrintLine(out, line.data() + (problem.empty() ? "" : kCannotBeLoaded + problem));
    }
}

void PrintRecords(std::FILE* out, const ContainerDescription& description) {
    PrintLine(out, kRecordsHeading);
    for (const ScriptRecord& record : description.records) {
        std::visit([&](const auto& r) { PrintRecord(out, description, r); }, record);
    }
}

}  // namespace

std::string FormatTimeStamp(const TimeStamp& stamp) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{stamp.year},
                  unsigned{stamp.month}, unsigned{stamp.day}, unsigned{stamp.hour},
                  unsigned{stamp.minute}, unsigned{stamp.second});
    return text;
}

std::string PayloadProblemText(PayloadProblem problem) {
    switch (problem) {
        case PayloadProblem::CreatedRejected: return kCreatedRejected;
        case PayloadProblem::ModifiedRejected: return kModifiedRejected;
        case PayloadProblem::CutShort: return kCutShort;
        default: return "";
    }
}

void PrintContainerText(std::FILE* out, const ContainerReading& reading) {
    ReadingStop stop = reading.stoppedAt;
    if (stop == ReadingStop::Start) return;
    PrintHeader(out, reading);
    if (stop == ReadingStop::Script) return;
    PrintPayloads(out, reading);
    PrintRecords(out, reading.description);
}

}  // namespace Orvane::Cli
