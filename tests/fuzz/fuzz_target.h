// The entry point that each fuzz target defines, one target per source file. libFuzzer calls it
// with every input it makes; without libFuzzer, replay_main.cpp calls it with every file of the
// corpus folders it is given, so that ctest replays the corpora on every build.
//
// A target returns 0 and reports a fault by aborting (FuzzRequire), as libFuzzer expects.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace Orvane::Fuzz {

// Aborts with the message when a property that must hold for every input does not.
void FuzzRequire(bool holds, const char* property);

}  // namespace Orvane::Fuzz
