// What the earlier records of a dry run leave in the installation folder: files written,
// files deleted, folders made, archives rebuilt. A later record looks here first and at the
// disk only for paths that no earlier record touched, so that a copy of an archive followed by
// its update, or a delete followed by a copy, plan as they would run.
//
// Paths are told apart as the platform finds files: without regard to case, with its own
// folding (Os::FoldNameCase), so "ＡＢ.txt" and "ａｂ.txt" are one file here as they are to the
// run. A folder whose entries a record changes (a file written or deleted in it, a folder made
// in it) has the time of the run afterwards, as the file system stamps it: a later payload named
// like that folder meets a folder that is newer than itself.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/archive_listing.h"
#include "common/ctime.h"

namespace Orvane {

struct PlannedFile {
    enum class Kind { File, Folder, Deleted };

    Kind kind = Kind::File;
    Basic::CTime modified;  // a file's last-write time
    std::uint64_t size = 0;  // a file's size in bytes
    // Where a file's bytes come from: the payload a copy wrote, or an archive a rebuild wrote.
    std::optional<std::uint16_t> payloadIndex;
    std::shared_ptr<const ArchiveListing> archive;
};

// A file or folder as a record finds it.
struct FoundFile {
    bool exists = false;
    std::uint8_t attributes = 0;  // Common::kReadOnly, kHidden, kDirectory, ...
    Basic::CTime modified;
    std::uint64_t size = 0;  // 0 for a folder
};

class PlanOverlay {
public:
    // installFolder ends with a backslash; now is the time the run is taken to write at.
    PlanOverlay(std::string installFolder, const Basic::CTime& now);

    // What an earlier record left at the path (relative to the installation folder); nothing
    // when no record touched it.
    const PlannedFile* Find(const std::string& relativePath) const;
    // The overlay's word on the path, else the disk's.
    FoundFile Look(const std::string& relativePath) const;
    const Basic::CTime& Now() const { return now_; }

    // The file is gone; its folder changed.
    void SetDeleted(const std::string& relativePath);
    // A file written at the path: the folders above it exist afterwards, and those whose
    // entries changed have the time of the run.
    void SetWritten(const std::string& relativePath, PlannedFile file);

private:
    void TouchFoldersAbove(const std::vector<std::string>& components);

    std::string installFolder_;
    Basic::CTime now_;
    std::map<std::u16string, PlannedFile> paths_;  // by PathKey
};

// The local time now, as a file written now is stamped.
Basic::CTime LocalTimeNow();

// The components of a relative path, split at '\' and '/' that are characters of their own
// (never the second byte of a double-byte character); empty and "." components are dropped
// and ".." takes the component before it away.
std::vector<std::string> PathComponents(const std::string& relativePath);

// One spelling per path: components joined by '\', in the platform's folding of case.
std::u16string PathKey(const std::string& relativePath);

}  // namespace Orvane
