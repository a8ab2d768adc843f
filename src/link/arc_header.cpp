#include "link/arc_header.h"

#include <cstring>

#include "link/stream_io.h"
#include "common/binary_writer.h"
#include "common/failure.h"

namespace Orvane {
namespace {

constexpr std::uint32_t kMagicSize = 5;
constexpr std::uint32_t kNarrowTagSize = 3;
constexpr std::size_t kMaxTagLength = 255;

// Text of a fixed-size field, ending at its first zero byte.
std::string TextUpToZero(const char* bytes, std::size_t size) {
    return std::string(bytes, strnlen(bytes, size));
}

bool HasRevisionAfterTag(const std::string& magic) {
    return magic == kMagicLink4 || magic == kMagicLink5;
}

}  // namespace

bool IsLinkMagic(const std::string& magic) {
    return magic == kMagicLink3 || magic == kMagicLink4 || magic == kMagicLink5 ||
           magic == kMagicLink6;
}

bool ArcHeader::Read(const std::shared_ptr<Common::StreamBase>& stream) {
    try {
        char bytes[kMagicSize];
        ReadExactly(*stream, bytes, kMagicSize);
        magic = TextUpToZero(bytes, kMagicSize);
        if (magic == kMagicLink6) {
            revision = ReadU16(*stream);
            std::uint8_t length = ReadU8(*stream);
            std::string text(length, '\0');
            ReadExactly(*stream, text.data(), length);
            tag = TextUpToZero(text.data(), length);
            return true;
        }
        tag.assign(kNarrowTagSize, '\0');
        ReadExactly(*stream, tag.data(), kNarrowTagSize);
        revision = 0;
        if (HasRevisionAfterTag(magic)) revision = ReadU16(*stream);
        return true;
    } catch (const PlainFailure&) {
        return false;
    }
}

void ArcHeader::Write(const std::shared_ptr<Common::StreamBase>& stream) const {
    if (!IsLinkMagic(magic) || (magic == kMagicLink6 && tag.size() > kMaxTagLength)) {
        throw PlainFailure();
    }
    Common::BinaryWriter writer(stream);
    writer.Write(reinterpret_cast<const std::uint8_t*>(magic.data()), kMagicSize);
    if (magic == kMagicLink6) {
        writer.Write(static_cast<std::uint16_t>(revision));
        writer.Write(static_cast<std::uint8_t>(tag.size()));
        if (!tag.empty()) writer.Write(reinterpret_cast<const std::uint8_t*>(tag.data()),
                                       static_cast<std::uint32_t>(tag.size()));
        return;
    }
    std::string narrowTag = tag;
    narrowTag.resize(kNarrowTagSize, '\0');
    writer.Write(reinterpret_cast<const std::uint8_t*>(narrowTag.data()), kNarrowTagSize);
    if (HasRevisionAfterTag(magic)) writer.Write(static_cast<std::uint16_t>(revision));
}

}  // namespace Orvane
