// Files of the release folders and of scratch copies, on this system: contents read in bounded
// pieces, last-write times, and copies of whole folders that keep those times.
//
// Every function raises MessageFailure (kCannotRead, kCannotCopy, followed by the path) when
// the disk does not do what is asked.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "author/digest.h"
#include "platform/os.h"

namespace Orvane::Author {

inline constexpr char kCannotRead[] = "cannot read";
inline constexpr char kCannotCopy[] = "cannot copy";

// A path of this system as code page 932 text for a message ('?' for what it cannot hold).
std::string MessagePath(const std::filesystem::path& path);

// Hands size bytes from offset on to take, in pieces of at most a MiB.
using PieceTaker = std::function<void(const std::uint8_t* bytes, std::size_t count)>;
void ReadPieces(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t size,
                const PieceTaker& take);
// The digest of size bytes from offset on.
Digest DigestOfRange(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t size);
Digest DigestOfFile(const std::filesystem::path& path);

// The last-write time in whole seconds, as a platform file time (UTC).
Os::FileTime LastWriteTime(const std::filesystem::path& path);

// Copies the folder from into to (which must not exist yet) with every file's contents and
// last-write time; folders are made as they are met.
void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace Orvane::Author
