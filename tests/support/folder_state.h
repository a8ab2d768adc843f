// Everything below a folder, for telling exactly what a run changed.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace Orvane::Test {

struct EntryState {
    bool isFolder = false;
    std::vector<std::uint8_t> bytes;
    std::int64_t modified = 0;  // a file's last-write time, seconds since 1970 (UTC)

    friend bool operator==(const EntryState&, const EntryState&) = default;
};

// "folder", or a file's size, time and bytes as text, for readable assertion output.
void PrintTo(const EntryState& entry, std::ostream* out);

// Relative UTF-8 paths with '/' (folders too) to their state.
using FolderState = std::map<std::string, EntryState>;

// folder is UTF-8.
FolderState ReadFolderState(const std::string& folder);

// The paths of the state whose name is a temporary file of the program ("tmp*.TMP", in any case).
std::vector<std::string> TemporaryFiles(const FolderState& state);

}  // namespace Orvane::Test
