#include "app/space_bound.h"

#include <algorithm>
#include <memory>

#include "common/failure.h"
#include "patch/patch_script.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// More than any entry's header takes beside its name (at most two bytes per name byte, as
// UTF-16), and than an archive's end marker.
constexpr std::uint64_t kEntryHeaderRoom = 64;
constexpr std::uint64_t kArchiveEndRoom = 16;

// An appended entry: its header and the payload's bytes.
std::uint64_t AddedEntrySize(const CPatchScript& script, std::size_t index) {
    std::shared_ptr<PicFile> payload = script.LoadPicFile(index);
    if (!payload) return 0;
    return kEntryHeaderRoom + 2 * std::uint64_t{payload->name.size()} + payload->dataSize;
}

std::uint64_t InstalledSize(const std::string& path) {
    std::optional<Os::FindData> found = Os::FindFirstFile(path);
    return found ? found->size : 0;
}

// An archive that an earlier record wrote (copied in whole, or rebuilt) is no larger than the
// largest temporary file before it: that is what it was made from.
std::uint64_t TemporaryBound(const std::string& folder, const CPatchScript& script,
                             const ICmdParams& command, std::uint64_t largestBefore) {
    if (command.type == kCopyCommand) {
        const auto& copy = static_cast<const CopyParams&>(command);
        return copy.file ? copy.file->dataSize : 0;
    }
    if (command.type != kArchiveCommand) return 0;
    const auto& update = static_cast<const ArchiverParams&>(command);
    std::uint64_t bound =
        std::max(InstalledSize(folder + update.relativePath), largestBefore) + kArchiveEndRoom;
    for (const auto& addition : update.additions) {
        bound += AddedEntrySize(script, addition->fileIndex);
    }
    return bound;
}

std::optional<std::uint64_t> SumOfTemporaryFiles(const RunInputs& inputs) {
    if (inputs.exePath.empty()) return std::nullopt;
    std::string folder = FolderWithSeparator(inputs.folder);
    CPatchScript script(inputs.exePath, inputs.scriptOffset, inputs.version);
    if (!script.Stream()) return std::nullopt;
    std::uint64_t sum = 0;
    std::uint64_t largest = 0;
    while (std::shared_ptr<ICmdParams> command = script.NextCommand()) {
        if (command->type < 0) return sum;
        std::uint64_t bound = TemporaryBound(folder, script, *command, largest);
        sum += bound;
        largest = std::max(largest, bound);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> SpaceBound(const RunInputs& inputs) {
    try {
        return SumOfTemporaryFiles(inputs);
    } catch (const MessageFailure&) {
        return std::nullopt;
    } catch (const PlainFailure&) {
        return std::nullopt;
    }
}

}  // namespace Orvane
