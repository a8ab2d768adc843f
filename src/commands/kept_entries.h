// Writes the kept entries of an archive into its rebuilt copy.
//
// Most kept entries come out of a rebuild byte for byte as they went in. Those are gathered
// into runs of neighbouring entries, and each run is copied as one range of the old archive
// (inside the kernel where the platform can): the data of such entries never passes through
// memory. An entry that a rewrite changes (reserved bytes that were not zero, a narrow name
// cut at a zero byte) is written anew from its header fields. The output is the same either
// way; only the number of copies differs.
#pragma once

#include <cstdint>
#include <memory>

#include "link/arc_entry.h"
#include "common/buffered_reader.h"
#include "common/buffered_writer.h"

namespace Orvane {

class KeptEntries {
public:
    KeptEntries(std::shared_ptr<Common::BufferedReader> archive,
                std::shared_ptr<Common::BufferedWriter> output);

    // Keeps the entry whose header Read just consumed, starting at entryStart; the archive is
    // left behind the entry's data. Data running past the end of the archive fails with
    // "ファイルの読み込みに失敗！" before anything of the entry is written.
    void Keep(const ArcEntry& entry, std::int64_t entryStart);
    // Writes the run gathered so far; due before anything else goes to the output.
    void Finish();

private:
    void CopyRange(std::int64_t start, std::int64_t end);

    std::shared_ptr<Common::BufferedReader> archive_;
    std::shared_ptr<Common::BufferedWriter> output_;
    std::int64_t archiveSize_;
    std::int64_t runStart_ = -1;  // the run of entries kept as they are: [runStart_, runEnd_)
    std::int64_t runEnd_ = -1;
};

}  // namespace Orvane
