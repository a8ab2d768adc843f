// Builds byte fixtures field by field, little-endian, so that a test reads like the layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane::Test {

using Bytes = std::vector<std::uint8_t>;

class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t value);
    ByteBuilder& U16(std::uint16_t value);
    ByteBuilder& U32(std::uint32_t value);
    // The characters as they are, no count.
    ByteBuilder& Ascii(const std::string& text);
    // A u16 byte count, then the UTF-16LE units.
    ByteBuilder& Text16(const std::u16string& text);
    // A 7-byte time stamp.
    ByteBuilder& Stamp(int year, int month, int day, int hour, int minute, int second);
    ByteBuilder& Append(const Bytes& bytes);

    const Bytes& Get() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    Bytes bytes_;
};

// A minimal 32-bit PE image: DOS header, PE headers, the section table and zero-filled raw data
// up to the end of the section that ends last.
struct Section {
    std::uint32_t rawPointer;
    std::uint32_t rawSize;
};
Bytes PeImage(const std::vector<Section>& sections);

// Where the fields that tests damage sit in PeImage's result.
inline constexpr std::size_t kPeHeadersOffset = 0x40;
inline constexpr std::size_t kSectionTableOffset = kPeHeadersOffset + 248;

// Turns PeImage's result into a 64-bit image's: the optional header's magic becomes 0x20B and
// the header 16 bytes longer, in front of the section table.
void MakePe32Plus(Bytes& image);

}  // namespace Orvane::Test
