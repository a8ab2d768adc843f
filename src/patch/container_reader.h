// Reads a whole patch container back into a ContainerDescription, the way the patch program
// meets it: the start-up checks, the script load, then the records in order. Reading stops at
// the first problem the program would stop at, with its text and everything read before kept.
//
// Payloads are listed with their stored fields, each with the reason the program could not
// load it, if any. Like the program, the reading fails on such a payload only where a copy
// record names it: an archive addition's payload is loaded only when the update runs, and an
// unused one never.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/ctime.h"
#include "patch/container_description.h"
#include "patch/container_start.h"
#include "patch/stored_payload.h"

namespace Orvane {

// Whether the payloads' bytes are kept in the description or only their sizes.
enum class PayloadData { Keep, Drop };

// Where reading stopped: at nothing, or at the part that could not be read.
enum class ReadingStop { None, Start, Script, Record };

struct ContainerReading {
    ContainerStart start;  // container offset and header as read
    ContainerDescription description;
    std::vector<std::uint32_t> payloadSizes;       // stored sizes, one per payload
    std::vector<PayloadProblem> payloadProblems;  // one per payload
    // Empty when everything was read; otherwise the first problem's text (patch_texts.h).
    std::string failureText;
    ReadingStop stoppedAt = ReadingStop::None;
    std::uint64_t containerEnd = 0;  // where the container ends; 0 when its script did not load
};

// Never throws for a damaged file.
ContainerReading ReadContainer(const std::string& exePath, PayloadData payloadData);

// The local calendar fields of a time.
TimeStamp TimeStampOf(const Basic::CTime& time);

}  // namespace Orvane
