#include "patch/authenticode.h"

#include <algorithm>

#include "patch/stream_reading.h"
#include "platform/sha256.h"

namespace Orvane {
namespace {

constexpr std::uint32_t kPeOffsetField = 0x3C;
constexpr std::uint64_t kChecksumField = 24 + 64;  // in the optional header, PE32 and PE32+
constexpr std::uint64_t kPe32SecurityEntry = 24 + 96 + 4 * 8;
constexpr std::uint64_t kPe32PlusSecurityEntry = 24 + 112 + 4 * 8;
constexpr std::uint16_t kPe32Magic = 0x10B;

constexpr std::uint8_t kSequence = 0x30;
constexpr std::uint8_t kObjectId = 0x06;
constexpr std::uint8_t kOctetString = 0x04;
constexpr std::uint8_t kInteger = 0x02;
constexpr std::uint8_t kSet = 0x31;
constexpr std::uint8_t kExplicitZero = 0xA0;
constexpr std::uint32_t kWinCertificateHeader = 8;  // u32 length, u16 revision, u16 type
constexpr std::uint32_t kChunk = 1 << 20;

// A DER reader over a byte span; every step checks what is left.
struct Der {
    const std::uint8_t* at;
    const std::uint8_t* end;

    // The next element with the tag; its contents as a reader. Nothing on any mismatch.
    std::optional<Der> Take(std::uint8_t tag) {
        if (end - at < 2 || at[0] != tag) return std::nullopt;
        std::size_t length = at[1];
        const std::uint8_t* contents = at + 2;
        if (length & 0x80) {
            std::size_t count = length & 0x7F;
            if (count == 0 || count > 4 || static_cast<std::size_t>(end - contents) < count) {
                return std::nullopt;
            }
            length = 0;
            for (std::size_t i = 0; i < count; ++i) length = (length << 8) | contents[i];
            contents += count;
        }
        if (static_cast<std::size_t>(end - contents) < length) return std::nullopt;
        at = contents + length;
        return Der{contents, contents + length};
    }
};

std::string DottedOid(const Der& oid) {
    std::string text;
    std::uint64_t value = 0;
    bool first = true;
    for (const std::uint8_t* p = oid.at; p < oid.end; ++p) {
        value = (value << 7) | (*p & 0x7F);
        if (*p & 0x80) continue;
        if (first) {
            std::uint64_t top = value < 80 ? value / 40 : 2;
            text = std::to_string(top) + "." + std::to_string(value - top * 40);
            first = false;
        } else {
            text += "." + std::to_string(value);
        }
        value = 0;
    }
    return text;
}

// The SHA-256 of the ranges, read in bounded chunks.
std::optional<Os::Sha256Digest> HashRanges(Common::StreamBase& stream,
                                           const std::vector<ByteRange>& ranges) {
    Os::Sha256 hash;
    std::vector<std::uint8_t> chunk(kChunk);
    for (const ByteRange& range : ranges) {
        if (!stream.Seek(static_cast<std::int64_t>(range.offset), Common::kFromBeginning)) {
            return std::nullopt;
        }
        for (std::uint64_t done = 0; done < range.size;) {
            auto size = static_cast<std::uint32_t>(std::min<std::uint64_t>(kChunk, range.size - done));
            if (!ReadExact(stream, chunk.data(), size)) return std::nullopt;
            hash.Update(chunk.data(), size);
            done += size;
        }
    }
    return hash.Finish();
}

// The table's PKCS#7 message without its header and padding; nothing past the file's end.
std::optional<std::vector<std::uint8_t>> ReadSignature(Common::StreamBase& stream,
                                                       const CertificateTable& table) {
    if (table.size <= kWinCertificateHeader ||
        std::uint64_t{table.offset} + table.size > static_cast<std::uint64_t>(stream.GetLength()) ||
        !stream.Seek(std::int64_t{table.offset} + kWinCertificateHeader, Common::kFromBeginning)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> pkcs7(table.size - kWinCertificateHeader);
    if (!ReadExact(stream, pkcs7.data(), static_cast<std::uint32_t>(pkcs7.size()))) return std::nullopt;
    std::size_t size = DerElementSize(pkcs7);
    if (size == 0) return std::nullopt;
    pkcs7.resize(size);
    return pkcs7;
}

}  // namespace

std::optional<std::vector<ByteRange>> SignedRanges(Common::StreamBase& stream,
                                                   const CertificateTable& table) {
    std::uint32_t peOffset = 0;
    std::uint16_t magic = 0;
    if (!stream.Seek(kPeOffsetField, Common::kFromBeginning) || !ReadU32(stream, peOffset) ||
        !stream.Seek(std::int64_t{peOffset} + 24, Common::kFromBeginning) || !ReadU16(stream, magic)) {
        return std::nullopt;
    }
    std::uint64_t checksum = std::uint64_t{peOffset} + kChecksumField;
    std::uint64_t security = std::uint64_t{peOffset} +
                             (magic == kPe32Magic ? kPe32SecurityEntry : kPe32PlusSecurityEntry);
    if (security + 8 > table.offset) return std::nullopt;
    return std::vector<ByteRange>{{0, checksum},
                                  {checksum + 4, security - checksum - 4},
                                  {security + 8, table.offset - security - 8}};
}

std::size_t DerElementSize(const std::vector<std::uint8_t>& der) {
    Der whole{der.data(), der.data() + der.size()};
    std::optional<Der> element = whole.Take(kSequence);
    return element ? static_cast<std::size_t>(element->end - der.data()) : 0;
}

std::optional<std::vector<std::uint8_t>> ReadSignedContent(const std::vector<std::uint8_t>& pkcs7) {
    Der whole{pkcs7.data(), pkcs7.data() + pkcs7.size()};
    std::optional<Der> info = whole.Take(kSequence);
    if (!info || !info->Take(kObjectId)) return std::nullopt;
    std::optional<Der> wrapper = info->Take(kExplicitZero);
    std::optional<Der> signedData = wrapper ? wrapper->Take(kSequence) : std::nullopt;
    if (!signedData || !signedData->Take(kInteger) || !signedData->Take(kSet)) return std::nullopt;
    std::optional<Der> encapsulated = signedData->Take(kSequence);
    if (!encapsulated || !encapsulated->Take(kObjectId)) return std::nullopt;
    std::optional<Der> content = encapsulated->Take(kExplicitZero);
    if (!content) return std::nullopt;
    return std::vector<std::uint8_t>(content->at, content->end);
}

std::optional<bool> SignedSha256Matches(Common::StreamBase& stream, const CertificateTable& table) {
    std::optional<std::vector<std::uint8_t>> pkcs7 = ReadSignature(stream, table);
    std::optional<std::vector<std::uint8_t>> content =
        pkcs7 ? ReadSignedContent(*pkcs7) : std::nullopt;
    std::optional<SignedDigest> signedDigest =
        content ? ReadIndirectDataDigest(*content) : std::nullopt;
    if (!signedDigest || signedDigest->algorithm != kSha256Oid) return std::nullopt;
    std::optional<std::vector<ByteRange>> ranges = SignedRanges(stream, table);
    std::optional<Os::Sha256Digest> digest = ranges ? HashRanges(stream, *ranges) : std::nullopt;
    if (!digest) return std::nullopt;
    return std::equal(digest->begin(), digest->end(), signedDigest->digest.begin(),
                      signedDigest->digest.end());
}

std::optional<SignedDigest> ReadIndirectDataDigest(const std::vector<std::uint8_t>& der) {
    Der whole{der.data(), der.data() + der.size()};
    // Some decoders hand the content over still wrapped in its OCTET STRING.
    if (!der.empty() && der[0] == kOctetString) {
        std::optional<Der> inner = whole.Take(kOctetString);
        if (!inner) return std::nullopt;
        whole = *inner;
    }
    std::optional<Der> content = whole.Take(kSequence);
    if (!content || !content->Take(kSequence)) return std::nullopt;  // the data, not needed
    std::optional<Der> digestInfo = content->Take(kSequence);
    if (!digestInfo) return std::nullopt;
    std::optional<Der> algorithm = digestInfo->Take(kSequence);
    std::optional<Der> digest = digestInfo->Take(kOctetString);
    if (!algorithm || !digest) return std::nullopt;
    std::optional<Der> oid = algorithm->Take(kObjectId);
    if (!oid) return std::nullopt;
    return SignedDigest{DottedOid(*oid), {digest->at, digest->end}};
}

}  // namespace Orvane
