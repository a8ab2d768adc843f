// Contents told apart without holding them: two copies of a file or an entry are the same when
// their sizes and SHA-256 digests are. The digest is the system's (platform/sha256.h).
#pragma once

#include <cstddef>

#include "platform/sha256.h"

namespace Orvane::Author {

using Digest = Os::Sha256Digest;

inline constexpr char kDigestFailed[] = "the system's SHA-256 digest failed";

// The digest of everything hash was given; raises MessageFailure(kDigestFailed) when the
// system's digest failed.
Digest FinishDigest(Os::Sha256& hash);

// The digest of size bytes at data.
Digest DigestOfBytes(const void* data, std::size_t size);

}  // namespace Orvane::Author
