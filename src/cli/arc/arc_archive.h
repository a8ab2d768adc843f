// A LINK archive as the `orvpatch arc` commands meet it: opened, its header read and its chain
// of entry headers walked with the core's archive records, and its texts in UTF-8.
#pragma once

#include <memory>
#include <string>

#include "link/archive_listing.h"
#include "common/file_stream.h"
#include "patch/container_description.h"

namespace Orvane::Cli {

struct OpenedArchive {
    std::shared_ptr<Common::FileStream> stream;
    ArchiveListing listing;
    // Empty when the archive is whole; otherwise where and how it is damaged.
    std::string damage;
};

// utf8Path names the archive. Raises CommandFailure when it cannot be opened, its header
// cannot be read or its layout is none of "LINK3" to "LINK6".
OpenedArchive OpenArchive(const std::string& utf8Path);

// The entry's name in UTF-8: a "LINK6" name from the UTF-16 it is stored as (so that no
// character is lost), a narrow name from code page 932.
std::string EntryNameUtf8(const ArcEntry& entry);
// The tag as text: up to its first zero byte, from code page 932.
std::string TagUtf8(const ArcHeader& header);
// The entry's time fields as stored.
TimeStamp EntryTimeStamp(const ArcEntry& entry);

}  // namespace Orvane::Cli
