// Fixtures for the command and run tests: LINK archives built field by field, patch files
// written from a container description, and files opened as the commands open them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/file_stream.h"
#include "patch/container_description.h"
#include "patch/container_writer.h"
#include "patch/patch_header.h"
#include "patch/patch_script.h"
#include "support/temp_folder.h"

namespace Orvane::Test {

using Bytes = std::vector<std::uint8_t>;

// The UTF-16LE bytes of a name, as a "LINK6" entry stores it.
inline std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct EntryStamp {
    std::uint16_t year = 2024;
    std::uint8_t month = 3;
    std::uint8_t day = 5;
    std::uint8_t hour = 14;
    std::uint8_t minute = 30;
    std::uint8_t second = 0;
};

// One entry as the file holds it. `name` is the stored bytes: code page 932 in the narrow
// layout, UTF-16LE (see Utf16Le) in "LINK6".
struct EntryBytes {
    std::string name;
    Bytes data;
    std::uint16_t kind = 4;
    EntryStamp stamp;
    std::uint16_t reserved = 0;                 // narrow layout only
    std::optional<std::uint32_t> recordLength;  // computed when not given
};

// A LINK archive, little-endian, field by field.
class ArchiveBytes {
public:
    // magic(5) tag(3), then the revision for "LINK4"/"LINK5" (any other magic: none).
    static ArchiveBytes Narrow(const std::string& magic, const std::string& tag,
                               std::uint16_t revision = 0) {
        ArchiveBytes archive(false);
        archive.Text(magic).Text(tag);
        if (magic == "LINK4" || magic == "LINK5") archive.U16(revision);
        return archive;
    }
    // "LINK6" revision(2) t(1) tag(t).
    static ArchiveBytes Link6(std::uint16_t revision, const std::string& tag) {
        ArchiveBytes archive(true);
        archive.Text("LINK6").U16(revision).U8(static_cast<std::uint8_t>(tag.size())).Text(tag);
        return archive;
    }

    ArchiveBytes& Entry(const EntryBytes& entry) {
        std::uint32_t fixed = unicode_ ? 15 : 16;
        U32(entry.recordLength.value_or(
            static_cast<std::uint32_t>(fixed + entry.name.size() + entry.data.size())));
        U16(entry.kind).U16(entry.stamp.year);
        U8(entry.stamp.month).U8(entry.stamp.day).U8(entry.stamp.hour);
        U8(entry.stamp.minute).U8(entry.stamp.second);
        if (unicode_) {
            U16(static_cast<std::uint16_t>(entry.name.size()));
        } else {
            U8(static_cast<std::uint8_t>(entry.name.size())).U16(entry.reserved);
        }
        Text(entry.name);
        bytes_.insert(bytes_.end(), entry.data.begin(), entry.data.end());
        return *this;
    }
    ArchiveBytes& End() { return U32(0); }

    ArchiveBytes& U8(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    ArchiveBytes& U16(std::uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
    ArchiveBytes& U32(std::uint32_t value) {
        return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
    }
    ArchiveBytes& Text(const std::string& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    const Bytes& Get() const { return bytes_; }

private:
    explicit ArchiveBytes(bool unicode) : unicode_(unicode) {}

    bool unicode_;
    Bytes bytes_;
};

// Opens a file below the folder for reading, or creates it for writing and reading.
inline std::shared_ptr<Common::FileStream> OpenForReading(const TempFolder& folder,
                                                          const std::string& name) {
    return std::make_shared<Common::FileStream>(folder / name, Common::OpenExisting,
                                                Common::FileAccess::Read, Common::FileShare::Read);
}
inline std::shared_ptr<Common::FileStream> CreateForWriting(const TempFolder& folder,
                                                            const std::string& name) {
    return std::make_shared<Common::FileStream>(
        folder / name, Common::CreateAlways, Common::FileAccess::Read | Common::FileAccess::Write,
        Common::FileShare::Read);
}

// A file that holds only a patch container, at offset 0, with what the run needs to load it.
struct PatchFile {
    std::string path;
    std::uint32_t scriptOffset = 0;
    std::int32_t version = -1;

    std::shared_ptr<CPatchScript> Load() const {
        return std::make_shared<CPatchScript>(path, scriptOffset, version);
    }
};

inline PatchFile WritePatchFile(const TempFolder& folder, const ContainerDescription& description,
                                const std::string& name = "patch.bin") {
    auto output = CreateForWriting(folder, name);
    WriteContainer(output, description);
    output->Close();
    PatchHeader header;
    if (!ReadPatchHeader(OpenForReading(folder, name), header)) {
        throw std::runtime_error("the patch file's header cannot be read back");
    }
    return {folder / name, header.scriptOffset, header.version};
}

}  // namespace Orvane::Test
