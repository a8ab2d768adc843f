#include "support/byte_builder.h"

#include <algorithm>

#include "common/little_endian.h"

namespace Orvane::Test {

ByteBuilder& ByteBuilder::U8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
}

ByteBuilder& ByteBuilder::U16(std::uint16_t value) {
    Common::AppendU16(bytes_, value);
    return *this;
}

ByteBuilder& ByteBuilder::U32(std::uint32_t value) {
    Common::AppendU32(bytes_, value);
    return *this;
}

ByteBuilder& ByteBuilder::Ascii(const std::string& text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
}

ByteBuilder& ByteBuilder::Text16(const std::u16string& text) {
    U16(static_cast<std::uint16_t>(text.size() * 2));
    for (char16_t unit : text) U16(unit);
    return *this;
}

ByteBuilder& ByteBuilder::Stamp(int year, int month, int day, int hour, int minute, int second) {
    U16(static_cast<std::uint16_t>(year));
    for (int field : {month, day, hour, minute, second}) U8(static_cast<std::uint8_t>(field));
    return *this;
}

ByteBuilder& ByteBuilder::Append(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes PeImage(const std::vector<Section>& sections) {
    ByteBuilder image;
    image.Ascii("MZ").Append(Bytes(0x3C - 2, 0)).U32(kPeHeadersOffset);
    image.Ascii("PE").U16(0);                                    // signature
    image.U16(0x014C).U16(static_cast<std::uint16_t>(sections.size()))  // machine, sections
        .Append(Bytes(12, 0)).U16(224).U16(0x0102);             // ..., optional size, flags
    image.U16(0x010B).Append(Bytes(222, 0));                     // optional header, PE32
    std::uint32_t end = 0;
    for (const Section& section : sections) {
        image.Append(Bytes(16, 0)).U32(section.rawSize).U32(section.rawPointer)
            .Append(Bytes(16, 0));
        end = std::max(end, section.rawPointer + section.rawSize);
    }
    Bytes bytes = image.Get();
    if (bytes.size() < end) bytes.resize(end, 0);
    return bytes;
}

void MakePe32Plus(Bytes& image) {
    image[kPeHeadersOffset + 24] = 0x0B;
    image[kPeHeadersOffset + 25] = 0x02;
    image.insert(image.begin() + kSectionTableOffset, 16, 0);
}

}  // namespace Orvane::Test
