// The program's version line, as the main dialog and `orvpatch --version` show it.
#pragma once

#include <string>

#include "common/resource_version.h"

namespace Orvane {

inline constexpr char kVersionLinePrefix[] = "System  ";
inline constexpr char kNoVersionResource[] = "リソースの取得に失敗しています！";

// "System  1.3.0.1"; "System  " alone when the reader holds no version data; the resource
// failure text when there is no reader at all.
std::string VersionLine(const Common::CResourceVersion* version);

}  // namespace Orvane
