// SHA-256, for telling file and entry contents apart without holding them: two releases'
// copies of a file are the same when their sizes and digests are.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Orvane::Author {

using Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void Update(const void* data, std::size_t size);
    // The digest of everything given; the object is spent afterwards.
    Digest Finish();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

}  // namespace Orvane::Author
