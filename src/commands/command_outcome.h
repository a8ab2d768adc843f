// What a command did to the installation, for the log of a run.
#pragma once

#include <cstdint>

namespace Orvane {

enum class CommandEffect {
    Copied,        // the payload was written
    KeptNewer,     // the installed file was as new as the payload or newer
    Deleted,       // the file was deleted
    Absent,        // there was no file of that name to delete
    Rebuilt,       // the archive was rebuilt at `revision`, the target
    KeptRevision,  // the archive was already at `revision`, the target or past it
};

struct CommandOutcome {
    CommandEffect effect = CommandEffect::Copied;
    std::uint32_t revision = 0;  // archives only
};

}  // namespace Orvane
