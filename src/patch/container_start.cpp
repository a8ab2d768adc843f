#include "patch/container_start.h"

#include <memory>

#include "common/file_stream.h"
#include "patch/patch_container_locator.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

using Common::kFromBeginning;

// The offset is compared with the file size as 32-bit numbers, as the offsets are stored.
const char* CheckOffset(std::uint32_t offset, std::uint32_t fileSize) {
    if (offset == fileSize) return kPatchDataNotFound;
    if (offset > fileSize) return kFileSizeWrong;
    return nullptr;
}

}  // namespace

ContainerStart ReadContainerStart(const std::string& exePath) {
    ContainerStart start;
    // An open that failed fails every seek and reports size 0, so the checks below report it.
    auto stream = std::make_shared<Common::FileStream>(
        exePath, Common::OpenExisting, Common::FileAccess::Read,
        Common::FileShare::Read | Common::FileShare::Write);
    auto fileSize = static_cast<std::uint32_t>(stream->GetLength());
    start.containerOffset = LocatePatchContainer(*stream);
    if (const char* text = CheckOffset(start.containerOffset, fileSize)) {
        start.failureText = text;
        return start;
    }
    if (!stream->Seek(start.containerOffset, kFromBeginning) ||
        !ReadPatchHeader(stream, start.header)) {
        start.failureText = kHeaderReadFailed;
    }
    return start;
}

}  // namespace Orvane
