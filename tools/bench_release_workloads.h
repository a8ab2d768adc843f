// The workloads of scripts/bench made of two releases of a game, for `orvpatch diff`: an old
// one (FOLDER/game, also the folder that apply patches) and a new one (FOLDER/new).
#pragma once

#include <cstdint>
#include <string>

namespace Orvane::Tools {

// COUNT new files of SIZE bytes in one folder (new/data/), which the old release lacks, and
// FOLDER/manifest.toml, the patch that copies them there.
void MakeManyFiles(const std::string& folder, std::uint32_t count, std::uint32_t size);

// A release of about MIB MiB: four "LINK6" archives of 128 KiB entries (5/8 of the bytes)
// and loose files of 1 MiB (3/8). The new release replaces every twentieth entry of the first
// archive (the replacements appended at its end, as an update leaves them), changes every
// twentieth loose file, adds one loose file for every twenty and removes one for every fifty.
// The files the patch touches hold about a fifth of the release's bytes.
void MakeRelease(const std::string& folder, std::uint32_t mib);

}  // namespace Orvane::Tools
