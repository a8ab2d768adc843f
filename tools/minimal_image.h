// The smallest file that the patch container writer accepts as a stub: a DOS header, the PE
// headers of a 32-bit image and one section whose raw data ends where the file ends. It is
// not a program that Windows would run; it stands in for the Windows patch program where only
// the container matters (the demo, the end-to-end tests of `orvpatch apply`).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane::Tools {

std::vector<std::uint8_t> MinimalImage();

// Writes MinimalImage() to path (code page 932); raises the core's failures when it cannot.
void WriteMinimalImage(const std::string& path);

}  // namespace Orvane::Tools
