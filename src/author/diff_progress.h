// What a long diff tells whoever watches it: the stage it is in (reading the releases, digesting
// their files, comparing them and their archives, writing the patch, checking it) and how many
// of the stage's bytes are done, so that a display can show a bar and an estimate. The diff
// reports between files and pieces of a file; a display decides how often it draws.
#pragma once

#include <cstdint>

namespace Orvane::Author {

inline constexpr char kStageReading[] = "reading the releases";
inline constexpr char kStageDigesting[] = "digesting";
inline constexpr char kStageComparing[] = "comparing";
inline constexpr char kStageWriting[] = "writing";
inline constexpr char kStageChecking[] = "checking";

class DiffProgress {
public:
    virtual ~DiffProgress() = default;
    // A stage starts; totalBytes is 0 when it cannot be told beforehand.
    virtual void Begin(const char* stage, std::uint64_t totalBytes) = 0;
    // More of the stage's bytes are done.
    virtual void Advance(std::uint64_t bytes) = 0;
};

// Shows nothing: the progress of a diff that nobody watches.
DiffProgress& Unwatched();

}  // namespace Orvane::Author
