#include "patch/stored_payload.h"

#include "common/ctime.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"
#include "patch/container_format.h"
#include "patch/stream_reading.h"

namespace Orvane {
namespace {

constexpr std::size_t kUtf16Padding = 2;

// u16 year, then month, day, hour, minute and second bytes.
bool ReadStamp(Common::StreamBase& stream, TimeStamp& stamp) {
    std::uint8_t bytes[kTimeStampSize];
    if (!ReadExact(stream, bytes, sizeof bytes)) return false;
    stamp = {Common::LoadU16(bytes), bytes[2], bytes[3], bytes[4], bytes[5], bytes[6]};
    return true;
}

bool ReadHead(Common::StreamBase& stream, StoredPayload& payload) {
    PayloadDescription& fields = payload.fields;
    std::uint16_t nameSize = 0;
    std::vector<std::uint8_t> name;
    if (!ReadU16(stream, fields.kind) || !ReadU16(stream, nameSize) ||
        !ReadPaddedBlock(stream, nameSize, kUtf16Padding, name)) {
        return false;
    }
    fields.name = Common::AnsiFromUtf16Bytes(name.data(), nameSize);
    return ReadStamp(stream, fields.created) && ReadStamp(stream, fields.modified) &&
           ReadU32(stream, payload.size);
}

// The test PicFile::Load makes: the fields as a local time, in the system's time zone.
bool AcceptedAsLocalTime(const TimeStamp& stamp) {
    try {
        Basic::CTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second);
        return true;
    } catch (const PlainFailure&) {
        return false;
    }
}

PayloadProblem Judge(const Common::StreamBase& stream, const StoredPayload& payload) {
    if (!AcceptedAsLocalTime(payload.fields.created)) return PayloadProblem::CreatedRejected;
    if (!AcceptedAsLocalTime(payload.fields.modified)) return PayloadProblem::ModifiedRejected;
    if (RemainingBytes(stream) < payload.size) return PayloadProblem::CutShort;
    return PayloadProblem::None;
}

}  // namespace

bool ReadStoredPayload(Common::StreamBase& stream, StoredPayload& payload, bool withData) {
    if (!ReadHead(stream, payload)) {
        payload.problem = PayloadProblem::CutShort;
        return false;
    }
    payload.problem = Judge(stream, payload);
    if (withData && RemainingBytes(stream) >= payload.size) {
        std::vector<std::uint8_t>& data = payload.fields.data;
        data.resize(payload.size);
        if (!ReadExact(stream, data.data(), payload.size)) {
            payload.problem = PayloadProblem::CutShort;
        }
    }
    return payload.problem == PayloadProblem::None;
}

}  // namespace Orvane
