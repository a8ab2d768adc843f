// What a signature of a patch executable covers, and the digest it holds, independently of any
// platform: the signer's digest is taken over the whole file up to the certificate table,
// leaving out only the image checksum and the security entry of the data directories (which
// signing changes). A patch changed after signing has a different digest of these bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/stream_base.h"
#include "patch/image_signature.h"

namespace Orvane {

struct ByteRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The ranges to hash, in order; nothing when the image headers cannot be read.
std::optional<std::vector<ByteRange>> SignedRanges(Common::StreamBase& stream,
                                                   const CertificateTable& table);

// The digest an Authenticode SpcIndirectDataContent holds:
//   SEQUENCE { data SEQUENCE {...}, messageDigest SEQUENCE { algorithm SEQUENCE { OID, ... },
//              digest OCTET STRING } }
struct SignedDigest {
    std::string algorithm;  // the digest algorithm's OID in dotted form
    std::vector<std::uint8_t> digest;
};

// Nothing when the DER is not of that shape (every length is checked against what is left).
// The content may also come wrapped in an OCTET STRING.
std::optional<SignedDigest> ReadIndirectDataDigest(const std::vector<std::uint8_t>& der);

// The size of the DER SEQUENCE at the start of the bytes, its header included; 0 when there is
// none. A certificate table pads its signature to 8 bytes; the padding is no part of it.
std::size_t DerElementSize(const std::vector<std::uint8_t>& der);

// The content a PKCS#7 SignedData carries, as DER:
//   SEQUENCE { OID signedData, [0] SEQUENCE { INTEGER version, SET digestAlgorithms,
//              SEQUENCE { OID contentType, [0] content }, ... } }
// For the signature of an executable the content is its SpcIndirectDataContent. Nothing when
// the DER is not of that shape.
std::optional<std::vector<std::uint8_t>> ReadSignedContent(const std::vector<std::uint8_t>& pkcs7);

// Whether the SHA-256 digest that the signature in the table signs is the digest of the bytes
// it covers, hashed by the platform: the core's own check of a signature, without its signer.
// Nothing when the signature cannot be read or signs a digest of another algorithm.
std::optional<bool> SignedSha256Matches(Common::StreamBase& stream, const CertificateTable& table);

inline constexpr char kSha256Oid[] = "2.16.840.1.101.3.4.2.1";
inline constexpr char kSha1Oid[] = "1.3.14.3.2.26";

}  // namespace Orvane
