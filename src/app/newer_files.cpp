#include "app/newer_files.h"

#include <algorithm>
#include <array>
#include <memory>

#include "commands/install_rules.h"
#include "common/file_status.h"
#include "common/file_stream.h"
#include "common/memory_stream.h"
#include "common/stream_window.h"

namespace Orvane {
namespace {

using StreamPointer = std::shared_ptr<Common::StreamBase>;

constexpr std::uint32_t kCompareBlock = 64 * 1024;

// The payload's bytes where they lie: in memory when it was loaded whole, else in the patch file.
StreamPointer PayloadStream(const PicFile& payload) {
    if (!payload.source) return std::make_shared<Common::MemoryStream>(payload.data);
    return std::make_shared<Common::StreamWindow>(payload.source, payload.dataOffset,
                                                  payload.dataSize);
}

// Both streams from their start to their end, in bounded blocks; false when a read fails.
bool SameBytes(Common::StreamBase& a, Common::StreamBase& b) {
    if (a.GetLength() != b.GetLength()) return false;
    if (!a.Seek(0, Common::kFromBeginning) || !b.Seek(0, Common::kFromBeginning)) return false;
    auto blockA = std::make_unique<std::array<std::uint8_t, kCompareBlock>>();
    auto blockB = std::make_unique<std::array<std::uint8_t, kCompareBlock>>();
    for (std::int64_t left = a.GetLength(); left > 0; left -= kCompareBlock) {
        auto count = static_cast<std::uint32_t>(std::min<std::int64_t>(left, kCompareBlock));
        if (!a.Read(blockA->data(), count) || !b.Read(blockB->data(), count)) return false;
        if (!std::equal(blockA->begin(), blockA->begin() + count, blockB->begin())) return false;
    }
    return true;
}

bool IsFolder(const std::string& path) {
    Common::FileStatus status;
    return Common::GetFileStatus(path, &status) && (status.attributes & Common::kDirectory) != 0;
}

}  // namespace

bool HoldsPayloadBytes(const std::string& path, const PicFile& payload) {
    if (IsFolder(path)) return false;
    Common::FileStream file;
    if (!file.Open(path, Common::OpenExisting, Common::FileAccess::Read, Common::FileShare::Read,
                   Common::FileOptions::SequentialScan)) {
        return false;
    }
    return SameBytes(file, *PayloadStream(payload));
}

bool SamePayloadBytes(const PicFile& a, const PicFile& b) {
    return SameBytes(*PayloadStream(a), *PayloadStream(b));
}

NewerFileDecision DecideNewerFiles(NewerFiles policy, std::vector<std::string>& keptDiffering) {
    return [policy, &keptDiffering](const CopyParams& params) {
        const std::string path = params.GetFullPath();
        if (HoldsPayloadBytes(path, *params.file)) return false;
        if (policy == NewerFiles::ReplaceDiffering && !IsFolder(path)) return true;
        keptDiffering.push_back(CopyDestination(params));
        return false;
    };
}

}  // namespace Orvane
