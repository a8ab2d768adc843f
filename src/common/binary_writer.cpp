#include "common/binary_writer.h"

#include <utility>

#include "common/failure.h"
#include "common/little_endian.h"

namespace Orvane::Common {

BinaryWriter::BinaryWriter(std::shared_ptr<StreamBase> stream) : stream_(std::move(stream)) {}

void BinaryWriter::Write(std::uint8_t value) {
    if (!stream_->WriteByte(value)) throw MessageFailure(kWriteByteFailed);
}

// Integers go out as one block write each, never byte by byte.
void BinaryWriter::Write(std::uint16_t value) {
    std::uint8_t bytes[2];
    StoreU16(bytes, value);
    if (!stream_->Write(bytes, sizeof bytes)) throw MessageFailure(kWriteIntegerFailed);
}

void BinaryWriter::Write(std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32(bytes, value);
    if (!stream_->Write(bytes, sizeof bytes)) throw MessageFailure(kWriteIntegerFailed);
}

void BinaryWriter::Write(const std::uint8_t* data, std::uint32_t count) {
    if (data == nullptr || count == 0 || !stream_->Write(data, count)) {
        throw MessageFailure(kWriteBlockFailed);
    }
}

void BinaryWriter::Write(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.size() > UINT32_MAX ||
        !stream_->Write(data.data(), static_cast<std::uint32_t>(data.size()))) {
        throw MessageFailure(kWriteVectorFailed);
    }
}

}  // namespace Orvane::Common
