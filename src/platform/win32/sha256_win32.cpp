// SHA-256 through CNG: one algorithm provider per process, one hash object per digest.
#include "platform/sha256.h"

#include "platform/win32/win32_api.h"

#include <bcrypt.h>

namespace Orvane::Os {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

BCRYPT_ALG_HANDLE Algorithm() {
    static const BCRYPT_ALG_HANDLE algorithm = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        if (!Succeeded(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
            return BCRYPT_ALG_HANDLE{nullptr};
        }
        return opened;
    }();
    return algorithm;
}

}  // namespace

struct Sha256::State {
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool good = false;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    // Since Windows 7 CNG allocates the hash object itself when given no buffer for it.
    state_->good =
        Algorithm() != nullptr &&
        Succeeded(BCryptCreateHash(Algorithm(), &state_->hash, nullptr, 0, nullptr, 0, 0));
}

Sha256::~Sha256() {
    if (state_->hash != nullptr) BCryptDestroyHash(state_->hash);
}

void Sha256::Update(const void* data, std::size_t size) {
    auto* bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    while (state_->good && size > 0) {
        // ULONG counts the bytes of one call; a size_t may hold more on a 64-bit build.
        ULONG take = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        state_->good = Succeeded(BCryptHashData(state_->hash, bytes, take, 0));
        bytes += take;
        size -= take;
    }
}

std::optional<Sha256Digest> Sha256::Finish() {
    Sha256Digest digest;
    bool good = state_->good && Succeeded(BCryptFinishHash(state_->hash, digest.data(),
                                                           static_cast<ULONG>(digest.size()), 0));
    state_->good = false;
    if (!good) return std::nullopt;
    return digest;
}

}  // namespace Orvane::Os
