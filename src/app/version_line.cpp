#include "app/version_line.h"

namespace Orvane {

std::string VersionLine(const Common::CResourceVersion* version) {
    if (version == nullptr) return kNoVersionResource;
    std::string line = kVersionLinePrefix;
    if (!version->HasData()) return line;
    Common::ProductVersion v = version->GetProductVersion();
    line += std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
            std::to_string(v.build) + "." + std::to_string(v.revision);
    return line;
}

}  // namespace Orvane
