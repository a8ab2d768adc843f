// Writes a patch container from its description, and a patch executable from a stub image.
//
// Everything the format cannot hold (see container_encoding.h) and a container that would
// reach past 4 GiB are refused with a MessageFailure before the first byte is written; a
// failed write raises the BinaryWriter's failure.
#pragma once

#include <memory>
#include <string>

#include "common/stream_base.h"
#include "patch/container_description.h"
#include "patch/payload_feed.h"

namespace Orvane {

inline constexpr char kContainerTooLarge[] =
    "the patch would reach past 4 GiB, beyond the container's 32-bit offsets";
inline constexpr char kStubUnreadable[] = "the stub image cannot be read";
inline constexpr char kStubNotAnImage[] = "the stub is not a 32-bit Windows executable image";
inline constexpr char kStubHasTrailingData[] =
    "data already follows the last section of the stub image (a patch, or an unstripped image)";
inline constexpr char kPatchNotCreated[] = "the patch executable cannot be created";

// Writes the container at the stream's current position. With a feed, the payloads' bytes come
// from it and not from the description.
void WriteContainer(const std::shared_ptr<Common::StreamBase>& stream,
                    const ContainerDescription& description, const PayloadFeed* feed = nullptr);

// Writes outputPath as the stub image followed by the container. The stub must be an image
// with nothing behind its last section, so that the container is found there. On a failed
// write the output file is deleted.
void WritePatchExecutable(const std::string& stubPath, const ContainerDescription& description,
                          const std::string& outputPath, const PayloadFeed* feed = nullptr);

}  // namespace Orvane
