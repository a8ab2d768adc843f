// What the patch program does with its own file at start-up: open it, locate the container
// behind the image, check the offset against the file size and read the header.
//
//   ContainerStart start = ReadContainerStart(exePath);
//   if (!start.failureText.empty()) { ... show it; the patch cannot run ... }
//   CPatchScript script(exePath, start.header.scriptOffset, start.header.version);
#pragma once

#include <cstdint>
#include <string>

#include "patch/patch_header.h"

namespace Orvane {

struct ContainerStart {
    std::uint32_t containerOffset = 0;  // as LocatePatchContainer gave it
    PatchHeader header;
    // Empty when the container is usable; otherwise kPatchDataNotFound, kFileSizeWrong or
    // kHeaderReadFailed (patch_texts.h).
    std::string failureText;
};

// Never throws for a missing or damaged file: every problem becomes failureText. The file is
// closed again before it returns.
ContainerStart ReadContainerStart(const std::string& exePath);

}  // namespace Orvane
