#include "patch/patch_header.h"

#include <new>
#include <vector>

#include "common/text_encoding.h"
#include "patch/container_format.h"
#include "patch/stream_reading.h"

namespace Orvane {
namespace {

constexpr std::int32_t kAnsiVersion = 0;
constexpr std::int32_t kUtf16Version = 1;

// ANSI text gets one zero byte behind it, UTF-16 text one zero unit.
constexpr std::size_t kAnsiPadding = 1;
constexpr std::size_t kUtf16Padding = 2;

// Any two characters are accepted; "1A" gives (1 * 10) + 17 = 27.
std::int32_t DecodeVersion(const std::uint8_t* digits) {
    return (digits[0] - '0') * 10 + (digits[1] - '0');
}

// Reads a u16 byte count and that many bytes of text in the version's encoding. For a version
// without text fields the bytes are consumed and text is left alone.
bool ReadHeaderText(Common::StreamBase& stream, std::int32_t version, std::string& text) {
    std::uint16_t size = 0;
    if (!ReadU16(stream, size)) return false;
    std::vector<std::uint8_t> buffer;
    std::size_t padding = version == kAnsiVersion ? kAnsiPadding : kUtf16Padding;
    if (!ReadPaddedBlock(stream, size, padding, buffer)) return false;
    if (version == kAnsiVersion) {
        text = reinterpret_cast<const char*>(buffer.data());
    } else if (version == kUtf16Version) {
        text = Common::AnsiFromUtf16Bytes(buffer.data(), size);
    }
    return true;
}

bool ReadFields(Common::StreamBase& stream, PatchHeader& header) {
    std::uint8_t magic[kContainerMagicSize + kVersionDigitsSize];
    if (!ReadExact(stream, magic, sizeof magic)) return false;
    if (!MatchesTag(magic, kContainerMagic, kContainerMagicSize)) return false;
    header.version = DecodeVersion(magic + kContainerMagicSize);
    if (!ReadHeaderText(stream, header.version, header.title)) return false;
    if (header.version == kUtf16Version) {
        std::uint16_t reserved = 0;
        if (!ReadU16(stream, reserved)) return false;
        header.reserved = reserved;
    }
    if (header.version == kAnsiVersion || header.version == kUtf16Version) {
        if (!ReadHeaderText(stream, header.version, header.registryKey)) return false;
    }
    header.scriptOffset = PositionLow32(stream);
    return true;
}

}  // namespace

bool ReadPatchHeader(std::shared_ptr<Common::StreamBase> stream, PatchHeader& header) {
    if (!stream) return false;
    try {
        return ReadFields(*stream, header);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace Orvane
