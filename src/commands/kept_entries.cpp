#include "commands/kept_entries.h"

#include "commands/archive_update.h"
#include "common/binary_writer.h"
#include "common/byte_copy.h"
#include "common/failure.h"

namespace Orvane {

KeptEntries::KeptEntries(std::shared_ptr<Common::BufferedReader> archive,
                         std::shared_ptr<Common::BufferedWriter> output)
    : archive_(std::move(archive)),
      output_(std::move(output)),
      archiveSize_(archive_->GetLength()) {}

void KeptEntries::Keep(const ArcEntry& entry, std::int64_t entryStart) {
    std::int64_t dataStart = archive_->GetPosition();
    if (entry.dataSize > archiveSize_ - dataStart) throw MessageFailure(kEntryReadFailed);
    if (entry.RewritesAsRead()) {
        if (entryStart != runEnd_) {
            Finish();
            runStart_ = entryStart;
        }
        runEnd_ = dataStart + entry.dataSize;
        archive_->Seek(runEnd_, 0);
        return;
    }
    Finish();
    entry.Write(output_);
    CopyRange(dataStart, dataStart + entry.dataSize);
}

void KeptEntries::Finish() {
    if (runStart_ < 0) return;
    std::int64_t resume = archive_->GetPosition();
    CopyRange(runStart_, runEnd_);
    archive_->Seek(resume, 0);
    runStart_ = runEnd_ = -1;
}

// A read that fails now is the entry's data; a write is the writer's.
void KeptEntries::CopyRange(std::int64_t start, std::int64_t end) {
    archive_->Seek(start, 0);
    if (!Common::CopyBytes(*archive_, *output_, static_cast<std::uint64_t>(end - start))) {
        throw MessageFailure(output_->Flush() ? kEntryReadFailed : Common::kWriteVectorFailed);
    }
}

}  // namespace Orvane
