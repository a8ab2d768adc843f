// Whole LINK archives in memory, for arranging and inspecting a game folder: the demo builds
// its installation with them, and the end-to-end tests check what a patch run left behind.
// Built on the archive records of the core (ArcHeader, ArcEntry).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::Tools {

struct LinkEntry {
    std::string name;  // code page 932
    std::uint16_t kind = 0;
    std::uint16_t year = 2024;
    std::uint8_t month = 1;
    std::uint8_t day = 1;
    std::uint8_t hour = 12;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::vector<std::uint8_t> data;

    friend bool operator==(const LinkEntry&, const LinkEntry&) = default;
};

struct LinkArchive {
    std::string magic = "LINK4";  // "LINK3" to "LINK6"
    std::string tag = "ARC";      // three bytes, or the "LINK6" tag text
    std::uint32_t revision = 0;   // not stored by "LINK3"
    std::vector<LinkEntry> entries;

    friend bool operator==(const LinkArchive&, const LinkArchive&) = default;
};

// Writes the archive to path (code page 932); raises the core's failures when it cannot.
void WriteLinkArchive(const std::string& path, const LinkArchive& archive);
// The same bytes in memory (a payload that becomes an archive).
std::vector<std::uint8_t> LinkArchiveBytes(const LinkArchive& archive);

// The archive at path, or nothing when it cannot be opened or is not a complete archive.
std::optional<LinkArchive> ReadLinkArchive(const std::string& path);

}  // namespace Orvane::Tools
