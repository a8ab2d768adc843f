// A folder of this process's own below the system's temporary folder, for the readers that take
// a path rather than a stream: each input is written to a file there, over the previous one.
// The folder is removed when the process ends normally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace Orvane::Fuzz {

// The folder, made on first use.
const std::filesystem::path& InputFolder();

// Writes the input to InputFolder()/name and returns that file's path.
std::filesystem::path WriteInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size);

// The path as the core takes it. The temporary folder's path is plain ASCII on the machines
// we fuzz and replay on (Linux, and Wine's C:\users\...\Temp), so its bytes serve as code
// page 932 unchanged.
std::string CorePath(const std::filesystem::path& path);

}  // namespace Orvane::Fuzz
