#include "author/file_changes.h"

#include <limits>
#include <map>

#include "author/path_key.h"
#include "common/ansi_path.h"
#include "common/ctime.h"
#include "common/failure.h"
#include "patch/container_reader.h"

namespace Orvane::Author {
namespace {

// A file time as the copy command's freshness test sees it.
Basic::CTime ProgramTime(const ReleaseItem& file, const Release& release) {
    try {
        return Basic::CTime(file.modified, -1);
    } catch (const PlainFailure&) {
        Refuse(kTimeNotStorable, InRelease(file.path, release));
    }
}

// The payload stamp of a file's last-write time, which the patch program turns back into a
// time as its own local time.
TimeStamp PayloadStamp(const ReleaseItem& file, const Release& release) {
    Basic::CTime time = ProgramTime(file, release);
    if (time.GetTime() == 0) Refuse(kTimeNotStorable, InRelease(file.path, release));
    TimeStamp stamp = TimeStampOf(time);
    try {
        Basic::CTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second);
    } catch (const PlainFailure&) {
        Refuse(kTimeNotStorable, InRelease(file.path, release));
    }
    return stamp;
}

void CheckFresh(DiffContext& context, std::size_t index, const ReleaseItem& file,
                const Basic::CTime& payloadTime) {
    const Release& old = context.olds[index];
    const ReleaseItem* installed = old.Find(PathKey(file.path));
    if (installed == nullptr || ProgramTime(*installed, old) < payloadTime) return;
    if (!context.options.allowSkip) {
        Refuse(kCopyWouldSkip, InRelease(file.path, old));
    }
    context.plan.Skipped({index, PathKey(file.path), file.path});
}

}  // namespace

void PlanCopy(DiffContext& context, const ReleaseItem& file) {
    TimeStamp stamp = PayloadStamp(file, context.newer);
    Basic::CTime payloadTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute,
                             stamp.second);
    for (std::size_t i = 0; i < context.olds.size(); ++i) {
        if (OldDiffers(context, i, file)) CheckFresh(context, i, file, payloadTime);
    }
    if (file.size > std::numeric_limits<std::uint32_t>::max()) Refuse(kFileTooLarge, file.path);
    std::size_t separator = Common::FindLastBackslash(file.path);
    bool inFolder = separator != std::string::npos;
    PayloadDescription payload;
    payload.name = inFolder ? file.path.substr(separator + 1) : file.path;
    payload.created = payload.modified = stamp;
    PayloadSource source{file.host, 0, static_cast<std::uint32_t>(file.size),
                         context.newer.DigestOf(file)};
    std::string folder = inFolder ? file.path.substr(0, separator + 1) : "";
    context.plan.Copy({folder, context.plan.Payload(payload, source)});
}

void PlanDeletes(DiffContext& context) {
    std::map<std::u16string, const ReleaseItem*> gone;
    for (const Release& old : context.olds) {
        for (const auto& [key, item] : old.Items()) {
            if (!item.isFolder && context.newer.Find(key) == nullptr) gone[key] = &item;
        }
    }
    for (const auto& [key, file] : gone) {
        context.refusals.Try([&] { RequireRecordPath(*file); });
        context.plan.Delete({file->path});
    }
}

}  // namespace Orvane::Author
