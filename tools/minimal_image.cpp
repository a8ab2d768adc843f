#include "tools/minimal_image.h"

#include <memory>

#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/little_endian.h"

namespace Orvane::Tools {
namespace {

constexpr char kCannotCreate[] = "the image cannot be created";

// DOS header (64 bytes) with the PE headers right behind it.
constexpr std::size_t kPeHeadersAt = 0x40;
constexpr std::size_t kPeOffsetField = 0x3C;
// PE signature (4), file header (20), optional header of a 32-bit image (224).
constexpr std::size_t kSectionTableAt = kPeHeadersAt + 4 + 20 + 224;
constexpr std::size_t kRawSizeField = 16;
constexpr std::size_t kRawPointerField = 20;
// One section of 512 bytes of raw data at 512.
constexpr std::uint32_t kRawDataAt = 0x200;
constexpr std::uint32_t kRawDataSize = 0x200;
constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kOptionalHeaderSize = 224;
constexpr std::uint16_t kOptionalMagicPe32 = 0x010B;
constexpr char kSectionName[] = ".text";

}  // namespace

std::vector<std::uint8_t> MinimalImage() {
    std::vector<std::uint8_t> image(kRawDataAt + kRawDataSize, 0);
    image[0] = 'M';
    image[1] = 'Z';
    Common::StoreU32(&image[kPeOffsetField], kPeHeadersAt);
    std::uint8_t* pe = &image[kPeHeadersAt];
    pe[0] = 'P';
    pe[1] = 'E';
    Common::StoreU16(pe + 4, kMachineI386);
    Common::StoreU16(pe + 6, 1);  // one section
    Common::StoreU16(pe + 20, kOptionalHeaderSize);
    Common::StoreU16(pe + 24, kOptionalMagicPe32);
    std::uint8_t* section = &image[kSectionTableAt];
    std::copy(kSectionName, kSectionName + sizeof kSectionName - 1, section);
    Common::StoreU32(section + kRawSizeField, kRawDataSize);
    Common::StoreU32(section + kRawPointerField, kRawDataAt);
    return image;
}

void WriteMinimalImage(const std::string& path) {
    auto stream = std::make_shared<Common::FileStream>(path, Common::CreateAlways,
                                                       Common::FileAccess::Write,
                                                       Common::FileShare::None);
    if (!stream->CanWrite()) throw MessageFailure(kCannotCreate);
    Common::BinaryWriter(stream).Write(MinimalImage());
}

}  // namespace Orvane::Tools
