#include "author/digest.h"

#include "common/failure.h"

namespace Orvane::Author {

Digest FinishDigest(Os::Sha256& hash) {
    std::optional<Digest> digest = hash.Finish();
    if (!digest) throw MessageFailure(kDigestFailed);
    return *digest;
}

Digest DigestOfBytes(const void* data, std::size_t size) {
    Os::Sha256 hash;
    hash.Update(data, size);
    return FinishDigest(hash);
}

}  // namespace Orvane::Author
