#include "patch/patch_script.h"

#include <algorithm>

#include "common/buffered_reader.h"
#include "common/file_stream.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"
#include "patch/container_format.h"
#include "patch/record_parsers.h"
#include "patch/stream_reading.h"

namespace Orvane {
namespace {

using Common::kFromBeginning;
constexpr std::int32_t kUnsupportedVersion = 0;
constexpr std::size_t kUtf16Padding = 2;

bool ReadTag(Common::StreamBase& stream, const char* tag, std::size_t size) {
    std::uint8_t bytes[kScriptTagSize];
    return ReadExact(stream, bytes, static_cast<std::uint32_t>(size)) &&
           MatchesTag(bytes, tag, size);
}

}  // namespace

CPatchScript::CPatchScript(const std::string& path, std::uint32_t scriptOffset,
                           std::int32_t version) {
    stream_ = std::make_shared<Common::BufferedReader>(std::make_shared<Common::FileStream>(
        path, Common::OpenExisting, Common::FileAccess::Read,
        Common::FileShare::Read | Common::FileShare::Write));
    if (!Load(scriptOffset, version)) {
        stream_.reset();
        filePositions_.clear();
    }
}

bool CPatchScript::Load(std::uint32_t scriptOffset, std::int32_t version) {
    if (!stream_->Seek(scriptOffset, kFromBeginning) || version == kUnsupportedVersion) {
        return false;
    }
    if (!ReadTag(*stream_, kScriptTag, kScriptTagSize) || !ReadScriptSection()) return false;
    if (!ReadTag(*stream_, kFileTag, kFileTagSize)) return false;
    if (!IndexFileTable(stream_, filePositions_)) return false;
    containerEnd_ = static_cast<std::uint64_t>(stream_->GetPosition());
    return true;
}

// A length beyond the end of the file would only end in a short read; it is refused before
// anything is allocated.
bool CPatchScript::ReadScriptSection() {
    std::uint32_t length = 0;
    if (!ReadU32(*stream_, length) || RemainingBytes(*stream_) < length) return false;
    script_.assign(length, 0);
    cursor_ = 0;
    return ReadExact(*stream_, script_.data(), length);
}

std::shared_ptr<ICmdParams> CPatchScript::NextCommand() {
    std::uint16_t type = 0;
    std::uint16_t recordSize = 0;
    if (Remaining() < 2) return std::make_shared<ICmdParams>();
    if (!ReadWord(type) || !ReadWord(recordSize)) return nullptr;
    switch (type) {
        case kCopyCommand: return ParseCopyRecord(*this, recordSize);
        case kDeleteCommand: return ParseDeleteRecord(*this, recordSize);
        case kArchiveCommand: return ParseArchiveRecord(*this, recordSize);
        default: return nullptr;
    }
}

bool CPatchScript::ReadWord(std::uint16_t& value) {
    if (Remaining() < 2) return false;
    value = Common::LoadU16(script_.data() + cursor_);
    cursor_ += 2;
    return true;
}

bool CPatchScript::ReadBytes(std::vector<std::uint8_t>& buffer, std::optional<std::size_t> count) {
    std::size_t size = count.value_or(buffer.size());
    if (size > buffer.size() || size > Remaining()) return false;
    std::copy_n(script_.begin() + cursor_, size, buffer.begin());
    cursor_ += static_cast<std::uint32_t>(size);
    return true;
}

bool CPatchScript::ReadText(std::string& text, std::uint16_t* byteCount) {
    std::uint16_t size = 0;
    if (!ReadWord(size)) return false;
    if (byteCount != nullptr) *byteCount = size;
    std::vector<std::uint8_t> buffer(size + kUtf16Padding, 0);
    if (!ReadBytes(buffer, size)) return false;
    text = Common::AnsiFromUtf16Bytes(buffer.data(), size);
    return true;
}

std::shared_ptr<PicFile> CPatchScript::LoadPicFile(std::size_t index, PayloadBytes bytes) const {
    return Orvane::LoadPicFile(stream_, filePositions_, index, bytes);
}

}  // namespace Orvane
