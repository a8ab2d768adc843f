// A patch container in memory, as the writer serialises it and ReadContainer gives it back.
// Texts are ANSI (code page 932); payload indexes count from 0 in `payloads`.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace Orvane {

// A payload time stamp as stored: local calendar fields. The default is a time that every time
// zone can represent.
struct TimeStamp {
    std::uint16_t year = 2000;
    std::uint8_t month = 1;
    std::uint8_t day = 1;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;

    friend auto operator<=>(const TimeStamp&, const TimeStamp&) = default;
};

struct PayloadDescription {
    std::uint16_t kind = 0;
    std::string name;  // the name the file gets in its folder or archive
    TimeStamp created;
    TimeStamp modified;
    std::vector<std::uint8_t> data;

    friend bool operator==(const PayloadDescription&, const PayloadDescription&) = default;
};

// Write a payload into folder (relative to the installation folder; empty for the folder
// itself). The reader gives a non-empty folder back with a trailing backslash.
struct CopyRecord {
    std::string folder;
    std::uint16_t payloadIndex = 0;

    friend bool operator==(const CopyRecord&, const CopyRecord&) = default;
};

struct DeleteRecord {
    std::string path;

    friend bool operator==(const DeleteRecord&, const DeleteRecord&) = default;
};

struct ArchiveRemoval {
    std::uint16_t revision = 0;
    std::string name;

    friend bool operator==(const ArchiveRemoval&, const ArchiveRemoval&) = default;
};

struct ArchiveAddition {
    std::uint16_t reserved = 0;
    std::uint16_t payloadIndex = 0;

    friend bool operator==(const ArchiveAddition&, const ArchiveAddition&) = default;
};

// Bring the archive at path up to revision: drop the removals, append the additions.
struct ArchiveRecord {
    std::string path;
    std::uint16_t revision = 0;
    std::vector<ArchiveRemoval> removals;
    std::vector<ArchiveAddition> additions;

    friend bool operator==(const ArchiveRecord&, const ArchiveRecord&) = default;
};

using ScriptRecord = std::variant<CopyRecord, DeleteRecord, ArchiveRecord>;

struct ContainerDescription {
    std::int32_t version = 1;  // 0 (ANSI header) or 1 (UTF-16 header)
    std::string title;
    std::uint16_t reserved = 0;  // stored by version 1 only
    std::string registryKey;     // relative to HKEY_CURRENT_USER
    std::vector<ScriptRecord> records;
    std::vector<PayloadDescription> payloads;

    friend bool operator==(const ContainerDescription&, const ContainerDescription&) = default;
};

}  // namespace Orvane
