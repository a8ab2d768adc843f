// Reads a whole patch container back into a ContainerDescription, the way the patch program
// meets it: the start-up checks, the script load, every payload, then the records in order.
// Reading stops at the first problem, with the program's text for it and everything read
// before it kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/ctime.h"
#include "patch/container_description.h"
#include "patch/container_start.h"

namespace Orvane {

// Whether the payloads' bytes are kept in the description or only their sizes.
enum class PayloadData { Keep, Drop };

// Where reading stopped: at nothing, or at the part that could not be read.
enum class ReadingStop { None, Start, Script, Payload, Record };

struct ContainerReading {
    ContainerStart start;  // container offset and header as read
    ContainerDescription description;
    std::vector<std::uint32_t> payloadSizes;  // one per payload read
    // Empty when everything was read; otherwise the first problem's text (patch_texts.h).
    std::string failureText;
    ReadingStop stoppedAt = ReadingStop::None;
};

// Never throws for a damaged file.
ContainerReading ReadContainer(const std::string& exePath, PayloadData payloadData);

// The local calendar fields of a time.
TimeStamp TimeStampOf(const Basic::CTime& time);

}  // namespace Orvane
