#include "cli/arc/arc_new_entries.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>

#include "cli/command.h"
#include "cli/arc/entry_path.h"
#include "cli/arc/entry_time.h"
#include "cli/path_argument.h"
#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/temp_file.h"
#include "common/text_encoding.h"
#include "common/utf8.h"
#include "common/utf8_path.h"
#include "platform/os.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNarrowName = 255;
constexpr std::size_t kMaxUnicodeUnits = 32767;
constexpr std::uint64_t kMaxRecord = UINT32_MAX;
constexpr std::uint64_t kEntryFixedSize = 16;  // the larger of the two layouts' fixed fields
constexpr std::uint32_t kChunkSize = 64 * 1024;
constexpr std::uint32_t kEndMarker = 0;
constexpr char kTempPrefix[] = "tmp";
constexpr char kOutside[] = ": refused, a name with \"..\", a drive letter or a leading separator";
constexpr char kNotCp932[] = ": the name cannot be written in code page 932, as this layout needs";
constexpr char kNameTooLong[] = ": the name is longer than this layout holds";
constexpr char kNotAFile[] = ": not a file";
constexpr char kTooLarge[] = ": too large for an archive entry";
constexpr char kNoTime[] = ": its time cannot be stored in an archive entry";
constexpr char kCannotWrite[] = "cannot write ";
constexpr char kCannotRead[] = "cannot read ";
constexpr char kNothing[] = "nothing to put in the archive: the folders given hold no files";
constexpr char kWholeFolder[] = ".";

// The name in the entry: code page 932 for the narrow layouts; in "LINK6" the UTF-16 bytes are
// kept as they are (storedName), so that no character is lost to the code page.
void NameEntry(ArcEntry& entry, const std::string& file, const std::string& utf8Name) {
    if (!entry.unicodeNames) {
        std::optional<std::string> name = Common::ExactAnsiFromUtf8(utf8Name);
        if (!name) throw CommandFailure(file + kNotCp932);
        entry.name = *name;
        if (entry.name.size() > kMaxNarrowName) throw CommandFailure(file + kNameTooLong);
        return;
    }
    std::u16string units = Common::Utf16FromUtf8(utf8Name);
    if (units.size() > kMaxUnicodeUnits) throw CommandFailure(file + kNameTooLong);
    for (char16_t unit : units) {
        entry.storedName.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        entry.storedName.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    entry.name = Common::AnsiFromUtf16Bytes(entry.storedName.data(), entry.storedName.size());
}

// The file's path below the folder and the entry name made of the same components.
void LocateSource(NewEntry& entry, const fs::path& folder, const std::string& file,
                  std::string& utf8Name) {
    auto components = EntryPathComponents(file);
    if (!components) throw CommandFailure(file + kOutside);
    entry.source = folder;
    for (const std::string& component : *components) {
        entry.source /= Common::PathFromUtf8(component);
        utf8Name += (utf8Name.empty() ? "" : "\\") + component;
    }
}

// The file's size and last-write time, as the entry's data size and time fields.
void MeasureSource(NewEntry& entry, const std::string& file) {
    std::error_code error;
    if (!fs::is_regular_file(entry.source, error)) throw CommandFailure(file + kNotAFile);
    std::uint64_t size = fs::file_size(entry.source, error);
    const ArcEntry& header = entry.header;
    std::uint64_t nameBytes = header.unicodeNames ? header.storedName.size() : header.name.size();
    if (error || size > kMaxRecord - kEntryFixedSize - nameBytes) {
        throw CommandFailure(file + kTooLarge);
    }
    entry.header.dataSize = static_cast<std::uint32_t>(size);
    std::optional<std::int64_t> modified = FileModifiedSeconds(entry.source);
    if (!modified || !SetEntryTime(entry.header, *modified)) throw CommandFailure(file + kNoTime);
}

NewEntry DescribeNewEntry(const ArcHeader& header, std::uint16_t kind, const fs::path& folder,
                          const std::string& file) {
    NewEntry entry;
    std::string utf8Name;
    LocateSource(entry, folder, file, utf8Name);
    entry.header.unicodeNames = header.HasUnicodeNames();
    entry.header.kind = kind;
    NameEntry(entry.header, file, utf8Name);
    MeasureSource(entry, file);
    return entry;
}

void WriteData(Common::BinaryWriter& writer, const NewEntry& entry) {
    std::ifstream in(entry.source, std::ios::binary);
    std::array<char, kChunkSize> buffer;
    for (std::uint32_t left = entry.header.dataSize; left > 0;) {
        std::uint32_t count = std::min(left, kChunkSize);
        if (!in.read(buffer.data(), count)) {
            throw CommandFailure(kCannotRead + Common::Utf8FromPath(entry.source));
        }
        writer.Write(reinterpret_cast<const std::uint8_t*>(buffer.data()), count);
        left -= count;
    }
}

void WriteArchiveTo(const std::string& ansiPath, const ArcHeader& header,
                    const std::vector<NewEntry>& entries) {
    auto stream = std::make_shared<Common::FileStream>(ansiPath, Common::CreateAlways,
                                                       Common::FileAccess::Write,
                                                       Common::FileShare::None,
                                                       Common::FileOptions::SequentialScan);
    if (!stream->CanWrite()) throw PlainFailure();
    Common::BinaryWriter writer(stream);
    header.Write(stream);
    for (const NewEntry& entry : entries) {
        entry.header.Write(stream);
        WriteData(writer, entry);
    }
    writer.Write(kEndMarker);
    stream->Close();
}

// The files below the folder that operand names ("." for the whole source folder), relative
// to the source folder with '/' between folders and sorted, so that the same folder always
// makes the same archive. Anything that is not a folder is listed, so that a special file is
// refused by name rather than left out unseen.
std::vector<std::string> FilesBelow(const fs::path& folder, const std::string& operand) {
    fs::path top = operand == kWholeFolder ? folder : folder / Common::PathFromUtf8(operand);
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(top, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error)) continue;
        std::u8string relative = it->path().lexically_relative(folder).generic_u8string();
        files.emplace_back(relative.begin(), relative.end());
    }
    if (error) throw CommandFailure(kCannotRead + Common::Utf8FromPath(top));
    std::sort(files.begin(), files.end());
    return files;
}

// The operands with every folder among them replaced by the files below it.
std::vector<std::string> ExpandFolders(const fs::path& folder,
                                       const std::vector<std::string>& operands) {
    std::vector<std::string> files;
    for (const std::string& operand : operands) {
        std::error_code error;
        bool plain = operand == kWholeFolder || EntryPathComponents(operand).has_value();
        if (plain && fs::is_directory(folder / Common::PathFromUtf8(operand), error)) {
            std::vector<std::string> below = FilesBelow(folder, operand);
            files.insert(files.end(), below.begin(), below.end());
        } else {
            files.push_back(operand);
        }
    }
    return files;
}

}  // namespace

std::vector<NewEntry> DescribeNewEntries(const ArcHeader& header, std::uint16_t kind,
                                         const fs::path& folder,
                                         const std::vector<std::string>& operands) {
    std::vector<NewEntry> entries;
    for (const std::string& file : ExpandFolders(folder, operands)) {
        entries.push_back(DescribeNewEntry(header, kind, folder, file));
    }
    if (entries.empty()) throw CommandFailure(kNothing);
    return entries;
}

void WriteNewArchive(const std::string& utf8Path, const ArcHeader& header,
                     const std::vector<NewEntry>& entries) {
    std::string archive = AnsiPathArgument(utf8Path);
    fs::path parent = fs::absolute(Common::PathFromUtf8(utf8Path)).parent_path();
    std::string folder = AnsiPathArgument(Common::Utf8FromPath(parent) + "/");
    Common::CTempFile temp;
    try {
        if (!temp.Create(kTempPrefix, folder)) throw PlainFailure();
        WriteArchiveTo(temp.Path(), header, entries);
    } catch (const MessageFailure& failure) {
        throw CommandFailure(kCannotWrite + utf8Path + ": " + Common::Utf8FromAnsi(failure.Text()));
    } catch (const PlainFailure&) {
        throw CommandFailure(kCannotWrite + utf8Path);
    }
    if (!Os::ReplaceFile(temp.Path(), archive)) throw CommandFailure(kCannotWrite + utf8Path);
}

}  // namespace Orvane::Cli
