// Where a signed patch executable keeps its signature: the attribute certificate table, named by
// entry 4 (security) of the image's data directories by file offset and size. A signer appends
// it at the end of the file, behind the patch container, after padding the file to a multiple
// of 8 bytes; the container is found before it as ever (behind the last section's raw data).
//
// Layout at the table's offset (WIN_CERTIFICATE): u32 length, u16 revision (0x0200), u16 type
// (2: PKCS#7 signed data), then the DER bytes of the signature.
#pragma once

#include <cstdint>
#include <optional>

#include "common/stream_base.h"

namespace Orvane {

struct CertificateTable {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// The table the image names; nothing when it names none (an unsigned image) or the headers
// cannot be read. Moves the stream's position.
std::optional<CertificateTable> LocateCertificateTable(Common::StreamBase& stream);

// What lies between the end of the container and the end of the file: the certificate table,
// the signer's zero padding before it (fewer than 8 bytes), and anything else.
struct TrailingBytes {
    std::uint64_t padding = 0;
    std::uint64_t unexplained = 0;  // bytes that are neither padding nor the signature
};

// containerEnd and fileSize are file offsets; table is the image's certificate table, if any.
// zeroPadding: whether the bytes between the container and the table are all zero.
TrailingBytes ClassifyTrailingBytes(std::uint64_t containerEnd, std::uint64_t fileSize,
                                    const std::optional<CertificateTable>& table,
                                    bool zeroPadding);

}  // namespace Orvane
