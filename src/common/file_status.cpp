#include "common/file_status.h"

#include <new>
#include <optional>

#include "common/failure.h"
#include "common/file_stream.h"
#include "platform/os.h"

namespace Orvane::Common {
namespace {

constexpr std::size_t kMaxPath = 260;
constexpr std::uint32_t kKeptAttributes = 0x37;

std::optional<Os::FileTime> FileTimeOf(const Basic::CTime& time) {
    if (time.GetTime() == 0) return std::nullopt;
    Os::FileTime fileTime = 0;
    Basic::ToFileTime(time, &fileTime);
    return fileTime;
}

// Opens the file for writing and sets the given times; false on any failure.
bool ApplyTimes(const std::string& path, const FileStatus& status) {
    FileStream stream(path, OpenExisting, FileAccess::Read | FileAccess::Write, FileShare::Read);
    if (!stream.CanRead() || !stream.CanWrite()) return false;
    return SetFileTimes(stream, status.created, status.lastAccess, status.modified);
}

void ApplyStatus(const std::string& path, const FileStatus& status) {
    std::optional<std::uint32_t> current = Os::GetFileAttributes(path);
    if (!current) return;
    bool differs = status.attributes != *current;
    bool readOnlyNow = (*current & Os::kAttrReadOnly) != 0;
    // A read-only file is made writable before its times are set; a read-only attribute being
    // set is set only after them.
    if (differs && readOnlyNow && !Os::SetFileAttributes(path, status.attributes)) return;
    if (status.modified.GetTime() != 0 && !ApplyTimes(path, status)) return;
    if (differs && !readOnlyNow) Os::SetFileAttributes(path, status.attributes);
}

}  // namespace

bool SetFileTimes(const FileStream& file, const Basic::CTime& created,
                  const Basic::CTime& lastAccess, const Basic::CTime& modified) {
    std::optional<Os::FileTime> createdTime = FileTimeOf(created);
    std::optional<Os::FileTime> accessTime = FileTimeOf(lastAccess);
    std::optional<Os::FileTime> modifiedTime = FileTimeOf(modified);
    return Os::SetFileTime(file.NativeHandle(), createdTime ? &*createdTime : nullptr,
                           accessTime ? &*accessTime : nullptr,
                           modifiedTime ? &*modifiedTime : nullptr);
}

bool GetFileStatus(const std::string& path, FileStatus* status) {
    if (!CanLookUpStatus(path)) return false;
    std::optional<Os::FindData> found = Os::FindFirstFile(path);
    if (!found) return false;
    if (status == nullptr) return true;
    status->attributes = static_cast<std::uint8_t>(found->attributes & kKeptAttributes);
    status->size = found->size;
    status->created = Basic::CTime(found->created, -1);
    status->lastAccess = Basic::CTime(found->lastAccess, -1);
    status->modified = Basic::CTime(found->lastWrite, -1);
    if (status->created.GetTime() == 0) status->created = status->modified;
    if (status->lastAccess.GetTime() == 0) status->lastAccess = status->modified;
    return true;
}

bool CanLookUpStatus(const std::string& path) {
    return path.size() < kMaxPath && Os::GetFullPathName(path).has_value();
}

void SetFileStatus(const std::string& path, const FileStatus& status) {
    // Stamping times is best effort: whatever fails ends it quietly, and what was done stays.
    try {
        ApplyStatus(path, status);
    } catch (const MessageFailure&) {
    } catch (const PlainFailure&) {
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace Orvane::Common
