// The C++ source of the code page 932 table (src/platform/posix/cp932_table.cpp), written from
// the data that tools/cp932_windows.cpp measured.
#pragma once

#include <cstdio>
#include <string>

#include "platform/posix/cp932_table.h"

namespace Orvane::Tools {

// madeOn names the system that gave the data ("Wine 8.0").
void WriteCp932TableSource(std::FILE* out, const Os::Posix::Cp932Table& table,
                           const std::string& madeOn);

}  // namespace Orvane::Tools
