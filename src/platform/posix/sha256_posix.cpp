// SHA-256 through OpenSSL's EVP interface. The algorithm is fetched once per process: an
// implicit fetch on every digest would cost a lookup per archive entry.
#include "platform/sha256.h"

#include <openssl/evp.h>

#include <new>

namespace Orvane::Os {
namespace {

const EVP_MD* Algorithm() {
    static EVP_MD* const algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    return algorithm;
}

}  // namespace

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
    bool good = false;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    state_->context = EVP_MD_CTX_new();
    if (state_->context == nullptr) throw std::bad_alloc();
    state_->good = Algorithm() != nullptr &&
                   EVP_DigestInit_ex(state_->context, Algorithm(), nullptr) == 1;
}

Sha256::~Sha256() { EVP_MD_CTX_free(state_->context); }

void Sha256::Update(const void* data, std::size_t size) {
    if (state_->good && size > 0) {
        state_->good = EVP_DigestUpdate(state_->context, data, size) == 1;
    }
}

std::optional<Sha256Digest> Sha256::Finish() {
    Sha256Digest digest;
    unsigned int length = 0;
    bool good = state_->good &&
                EVP_DigestFinal_ex(state_->context, digest.data(), &length) == 1 &&
                length == digest.size();
    state_->good = false;
    if (!good) return std::nullopt;
    return digest;
}

}  // namespace Orvane::Os
