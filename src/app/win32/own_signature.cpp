#include "app/win32/own_signature.h"

#include <memory>
#include <optional>
#include <vector>

#include "app/win32/windows_ui.h"
#include "common/file_stream.h"
#include "patch/authenticode.h"
#include "patch/image_signature.h"

#include <wincrypt.h>

namespace Orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kWinCertificateHeader = 8;  // u32 length, u16 revision, u16 type
constexpr std::uint32_t kChunk = 1 << 20;

bool ReadRange(Common::StreamBase& stream, std::uint64_t offset, std::uint64_t size, Bytes& out) {
    out.resize(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    return stream.Seek(static_cast<std::int64_t>(offset), Common::kFromBeginning) &&
           stream.Read(out.data(), static_cast<std::uint32_t>(size), &read) && read == size;
}

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// Whether the first signer's signature is sound: made by the key of the certificate the message
// carries, over the content. Whether anybody vouches for that certificate is not asked. Without
// this, a changed file with the digest inside the content changed to match would pass.
bool SignerSignatureHolds(HCRYPTMSG message) {
    DWORD size = 0;
    if (!::CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, nullptr, &size)) return false;
    Bytes buffer(size);
    if (!::CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, buffer.data(), &size)) {
        return false;
    }
    HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_MSG, kEncoding, 0, 0, message);
    if (store == nullptr) return false;
    auto* signer = reinterpret_cast<PCERT_INFO>(buffer.data());
    PCCERT_CONTEXT certificate = ::CertGetSubjectCertificateFromStore(store, kEncoding, signer);
    bool holds = certificate != nullptr &&
                 ::CryptMsgControl(message, 0, CMSG_CTRL_VERIFY_SIGNATURE, certificate->pCertInfo);
    if (certificate != nullptr) ::CertFreeCertificateContext(certificate);
    ::CertCloseStore(store, 0);
    return holds;
}

// The inner content of the PKCS#7 signed data, the DER of its SpcIndirectDataContent; nothing
// when the message cannot be decoded or its signer's signature does not hold.
std::optional<Bytes> SignedContent(const Bytes& pkcs7) {
    HCRYPTMSG message = ::CryptMsgOpenToDecode(kEncoding, 0, 0, 0, nullptr, nullptr);
    if (message == nullptr) return std::nullopt;
    std::optional<Bytes> content;
    DWORD size = 0;
    if (::CryptMsgUpdate(message, pkcs7.data(), static_cast<DWORD>(pkcs7.size()), TRUE) &&
        SignerSignatureHolds(message) &&
        ::CryptMsgGetParam(message, CMSG_CONTENT_PARAM, 0, nullptr, &size)) {
        Bytes bytes(size);
        if (::CryptMsgGetParam(message, CMSG_CONTENT_PARAM, 0, bytes.data(), &size)) {
            bytes.resize(size);
            content = std::move(bytes);
        }
    }
    ::CryptMsgClose(message);
    return content;
}

std::optional<ALG_ID> HashAlgorithm(const std::string& oid) {
    if (oid == kSha256Oid) return CALG_SHA_256;
    if (oid == kSha1Oid) return CALG_SHA1;
    return std::nullopt;
}

// The digest of the ranges, read in bounded chunks.
std::optional<Bytes> HashRanges(Common::StreamBase& stream, const std::vector<ByteRange>& ranges,
                                ALG_ID algorithm) {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    if (!::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        return std::nullopt;
    }
    std::optional<Bytes> digest;
    bool hashed = ::CryptCreateHash(provider, algorithm, 0, 0, &hash);
    Bytes chunk;
    for (const ByteRange& range : ranges) {
        for (std::uint64_t done = 0; hashed && done < range.size; done += chunk.size()) {
            std::uint64_t size = std::min<std::uint64_t>(kChunk, range.size - done);
            hashed = ReadRange(stream, range.offset + done, size, chunk) &&
                     ::CryptHashData(hash, chunk.data(), static_cast<DWORD>(chunk.size()), 0);
        }
    }
    DWORD size = 64;
    Bytes value(size);
    if (hashed && ::CryptGetHashParam(hash, HP_HASHVAL, value.data(), &size, 0)) {
        value.resize(size);
        digest = std::move(value);
    }
    if (hash != 0) ::CryptDestroyHash(hash);
    ::CryptReleaseContext(provider, 0);
    return digest;
}

}  // namespace

void RefuseBrokenSignature(const std::string& exePath, ContainerStart& start) {
    if (start.failureText.empty() && CheckOwnSignature(exePath) == OwnSignature::Broken) {
        start.failureText = kSignatureBroken;
    }
}

// A signature that cannot be read or whose digest cannot be recomputed counts as broken: the
// file claims a signature it cannot back.
OwnSignature CheckOwnSignature(const std::string& exePath) {
    Common::FileStream stream(exePath, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    std::optional<CertificateTable> table = LocateCertificateTable(stream);
    if (!table) return OwnSignature::Unsigned;
    Bytes pkcs7;
    std::optional<std::vector<ByteRange>> ranges = SignedRanges(stream, *table);
    if (!ranges || table->size <= kWinCertificateHeader ||
        !ReadRange(stream, std::uint64_t{table->offset} + kWinCertificateHeader,
                   table->size - kWinCertificateHeader, pkcs7)) {
        return OwnSignature::Broken;
    }
    std::size_t signatureSize = DerElementSize(pkcs7);
    if (signatureSize == 0) return OwnSignature::Broken;
    pkcs7.resize(signatureSize);
    std::optional<Bytes> content = SignedContent(pkcs7);
    std::optional<SignedDigest> signedDigest =
        content ? ReadIndirectDataDigest(*content) : std::nullopt;
    std::optional<ALG_ID> algorithm =
        signedDigest ? HashAlgorithm(signedDigest->algorithm) : std::nullopt;
    if (!algorithm) return OwnSignature::Broken;
    std::optional<Bytes> digest = HashRanges(stream, *ranges, *algorithm);
    return digest && *digest == signedDigest->digest ? OwnSignature::Intact : OwnSignature::Broken;
}

}  // namespace Orvane
