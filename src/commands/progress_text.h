// The commands' progress texts: a fixed format with one "%s" for a name.
#pragma once

#include <string>

namespace Orvane {

// format with its "%s" replaced by name (the name is taken as it is, '%' included).
std::string FormatWithName(const char* format, const std::string& name);

}  // namespace Orvane
