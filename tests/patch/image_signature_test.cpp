// Where a signed image keeps its signature, what the signed digest covers, the digest inside
// the signature, and what may follow a patch container.
#include "patch/image_signature.h"

#include <gtest/gtest.h>

#include "support/byte_builder.h"
#include "fixture_file.h"
#include "patch/authenticode.h"
#include "platform/sha256.h"

namespace Orvane {
namespace {

using Test::Bytes;
using Test::ByteBuilder;
using Test::OpenBytes;
using Test::PeImage;
using Test::TempFolder;

constexpr std::size_t kSecurityEntry = Test::kPeHeadersOffset + 24 + 96 + 32;
constexpr std::size_t kChecksum = Test::kPeHeadersOffset + 24 + 64;

Bytes SignedImage(std::uint32_t tableOffset, std::uint32_t tableSize) {
    Bytes image = PeImage({{0x200, 0x100}});
    for (int i = 0; i < 4; ++i) {
        image[kSecurityEntry + i] = static_cast<std::uint8_t>(tableOffset >> (8 * i));
        image[kSecurityEntry + 4 + i] = static_cast<std::uint8_t>(tableSize >> (8 * i));
    }
    return image;
}

TEST(ImageSignature, TheSecurityEntryNamesTheTableAndTheRangesLeaveItOut) {
    TempFolder folder;
    auto unsigned_ = OpenBytes(folder, PeImage({{0x200, 0x100}}), "unsigned.bin");
    EXPECT_EQ(LocateCertificateTable(*unsigned_), std::nullopt);
    auto signed_ = OpenBytes(folder, SignedImage(0x308, 0x40), "signed.bin");
    std::optional<CertificateTable> table = LocateCertificateTable(*signed_);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->offset, 0x308u);
    EXPECT_EQ(table->size, 0x40u);
    std::optional<std::vector<ByteRange>> ranges = SignedRanges(*signed_, *table);
    ASSERT_TRUE(ranges);
    ASSERT_EQ(ranges->size(), 3u);
    EXPECT_EQ((*ranges)[0].offset, 0u);
    EXPECT_EQ((*ranges)[0].size, kChecksum);
    EXPECT_EQ((*ranges)[1].offset, kChecksum + 4);
    EXPECT_EQ((*ranges)[1].size, kSecurityEntry - kChecksum - 4);
    EXPECT_EQ((*ranges)[2].offset, kSecurityEntry + 8);
    EXPECT_EQ((*ranges)[2].offset + (*ranges)[2].size, 0x308u) << "up to the table";
}

TEST(ImageSignature, OnlyTheSignersPaddingAndTheTableMayFollowTheContainer) {
    struct Case {
        const char* label;
        std::uint64_t containerEnd, fileSize;
        std::optional<CertificateTable> table;
        bool zeroPadding;
        std::uint64_t padding, unexplained;
    };
    const std::vector<Case> cases = {
        {"nothing behind", 100, 100, std::nullopt, true, 0, 0},
        {"unsigned, bytes behind", 100, 104, std::nullopt, true, 0, 4},
        {"table right behind", 104, 204, CertificateTable{104, 100}, true, 0, 0},
        {"padded to 8", 98, 204, CertificateTable{104, 100}, true, 6, 0},
        {"padding not zero", 98, 204, CertificateTable{104, 100}, false, 0, 6},
        {"a gap of 8 is no padding", 96, 204, CertificateTable{104, 100}, true, 0, 8},
        {"bytes behind the table", 104, 210, CertificateTable{104, 100}, true, 0, 6},
        {"table inside the container", 150, 204, CertificateTable{104, 100}, true, 0, 54},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TrailingBytes trailing = ClassifyTrailingBytes(c.containerEnd, c.fileSize, c.table, c.zeroPadding);
        EXPECT_EQ(trailing.padding, c.padding);
        EXPECT_EQ(trailing.unexplained, c.unexplained);
    }
}

// SpcIndirectDataContent with a SHA-256 digest of 4 bytes (a real one has 32), as DER:
Bytes IndirectData() {
    return ByteBuilder()
        .U8(0x30).U8(0x1D)                                           // SEQUENCE
        .U8(0x30).U8(0x04).U8(0x06).U8(0x02).U8(0x2B).U8(0x06)       //   data: SEQUENCE { OID }
        .U8(0x30).U8(0x15)                                           //   messageDigest
        .U8(0x30).U8(0x0D).U8(0x06).U8(0x09)                         //     algorithm: OID
        .U8(0x60).U8(0x86).U8(0x48).U8(0x01).U8(0x65).U8(0x03).U8(0x04).U8(0x02).U8(0x01)
        .U8(0x05).U8(0x00)                                           //     NULL
        .U8(0x04).U8(0x04).U8(0xDE).U8(0xAD).U8(0xBE).U8(0xEF)       //     digest
        .Get();
}

TEST(Authenticode, ReadsTheSignedDigestAndRefusesWhatIsCutShort) {
    Bytes der = IndirectData();
    std::optional<SignedDigest> digest = ReadIndirectDataDigest(der);
    ASSERT_TRUE(digest);
    EXPECT_EQ(digest->algorithm, kSha256Oid);
    EXPECT_EQ(digest->digest, (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
    Bytes wrapped = ByteBuilder().U8(0x04).U8(static_cast<std::uint8_t>(der.size())).Append(der).Get();
    EXPECT_EQ(ReadIndirectDataDigest(wrapped)->digest, digest->digest) << "in an OCTET STRING";
    EXPECT_EQ(DerElementSize(ByteBuilder().Append(der).U32(0).Get()), der.size()) << "padding";
    for (std::size_t cut = 0; cut < der.size(); ++cut) {
        EXPECT_EQ(ReadIndirectDataDigest(Bytes(der.begin(), der.begin() + cut)), std::nullopt) << cut;
    }
}

Bytes Wrapped(std::uint8_t tag, const Bytes& inner) {
    return ByteBuilder().U8(tag).U8(static_cast<std::uint8_t>(inner.size())).Append(inner).Get();
}

// The PKCS#7 SignedData around content, as a signer writes it (no certificates or signers
// needed for the digest): ContentInfo { OID, [0] { version, {}, { OID, [0] content } } }.
Bytes SignedData(const Bytes& content) {
    Bytes oid = {0x06, 0x01, 0x2A};
    Bytes encapsulated = Wrapped(0x30, ByteBuilder().Append(oid).Append(Wrapped(0xA0, content)).Get());
    Bytes version = {0x02, 0x01, 0x01, 0x31, 0x00};
    Bytes signedData = Wrapped(0x30, ByteBuilder().Append(version).Append(encapsulated).Get());
    return Wrapped(0x30, ByteBuilder().Append(oid).Append(Wrapped(0xA0, signedData)).Get());
}

// IndirectData() with another digest.
Bytes IndirectDataOf(const Bytes& digest) {
    const Bytes original = IndirectData();
    Bytes algorithm(original.begin() + 10, original.begin() + 25);
    Bytes messageDigest = Wrapped(0x30, ByteBuilder().Append(algorithm).Append(Wrapped(0x04, digest)).Get());
    Bytes data(original.begin() + 2, original.begin() + 8);
    return Wrapped(0x30, ByteBuilder().Append(data).Append(messageDigest).Get());
}

TEST(Authenticode, ReadsTheContentOfTheSignedData) {
    Bytes der = SignedData(IndirectData());
    EXPECT_EQ(ReadSignedContent(der), IndirectData());
    EXPECT_EQ(IndirectDataOf({0xDE, 0xAD, 0xBE, 0xEF}), IndirectData());
    for (std::size_t cut = 0; cut < der.size(); ++cut) {
        EXPECT_EQ(ReadSignedContent(Bytes(der.begin(), der.begin() + cut)), std::nullopt) << cut;
    }
}

// An image whose table signs the SHA-256 of the bytes it covers; then with one of those bytes
// changed, and with a table that holds no signature.
TEST(Authenticode, ComparesTheSignedSha256WithTheBytes) {
    Bytes unsignedImage = PeImage({{0x200, 0x100}});
    auto offset = static_cast<std::uint32_t>(unsignedImage.size());
    Bytes image = SignedImage(offset, 0);
    Os::Sha256 hash;
    std::vector<ByteRange> ranges = {{0, kChecksum},
                                     {kChecksum + 4, kSecurityEntry - kChecksum - 4},
                                     {kSecurityEntry + 8, offset - kSecurityEntry - 8}};
    for (const ByteRange& range : ranges) hash.Update(image.data() + range.offset, range.size);
    std::optional<Os::Sha256Digest> digest = hash.Finish();
    ASSERT_TRUE(digest);
    Bytes pkcs7 = SignedData(IndirectDataOf(Bytes(digest->begin(), digest->end())));
    auto size = static_cast<std::uint32_t>(8 + pkcs7.size());
    Bytes table = ByteBuilder().U32(size).U16(0x0200).U16(0x0002).Append(pkcs7).Get();
    image = ByteBuilder().Append(SignedImage(offset, size)).Append(table).Get();
    Bytes changed = image;
    changed[0x200] ^= 1;
    Bytes noSignature = ByteBuilder().Append(SignedImage(offset, size)).Append(Bytes(size, 0)).Get();
    TempFolder folder;
    EXPECT_EQ(SignedSha256Matches(*OpenBytes(folder, image, "a"), {offset, size}), true);
    EXPECT_EQ(SignedSha256Matches(*OpenBytes(folder, changed, "b"), {offset, size}), false);
    EXPECT_EQ(SignedSha256Matches(*OpenBytes(folder, noSignature, "c"), {offset, size}), std::nullopt);
}

}  // namespace
}  // namespace Orvane
