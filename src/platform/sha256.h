// SHA-256 from the system's own implementation: OpenSSL's libcrypto on Linux (EVP, which uses
// the CPU's SHA instructions where it has them), CNG (bcrypt) on Windows.
//
//   Os::Sha256 hash;
//   hash.Update(buffer, size);  // as often as needed, straight from the read buffer
//   std::optional<Os::Sha256Digest> digest = hash.Finish();
//
// As everywhere in the platform layer, failure is reported by result: Finish gives nothing when
// the system's digest failed at any step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace Orvane::Os {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The digest of everything given; the object is spent afterwards.
    std::optional<Sha256Digest> Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace Orvane::Os
