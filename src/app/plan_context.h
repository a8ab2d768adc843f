// What every record of a dry run is planned against: the installation folder, the script whose
// payloads the records name, what the earlier records left, and the run's policy for newer files.
#pragma once

#include <string>

#include "app/newer_files.h"
#include "app/plan_overlay.h"
#include "patch/patch_script.h"

namespace Orvane {

struct PlanContext {
    std::string installFolder;  // ends with a backslash
    const CPatchScript& script;
    PlanOverlay overlay;
    NewerFiles newer = NewerFiles::Keep;
};

}  // namespace Orvane
