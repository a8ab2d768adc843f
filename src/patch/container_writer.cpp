#include "patch/container_writer.h"

#include <cstdint>
#include <vector>

#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "patch/container_encoding.h"
#include "patch/container_format.h"
#include "patch/patch_container_locator.h"
#include "platform/os.h"

namespace Orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The container's bytes apart from the payload data, which stays in the description.
struct EncodedContainer {
    Bytes sections;  // header, script section and the table's tag and count
    std::vector<Bytes> payloadHeads;
    std::uint64_t size = 0;
};

std::uint64_t PayloadSize(const ContainerDescription& description, const PayloadFeed* feed,
                          std::size_t index) {
    return feed != nullptr ? feed->SizeOf(index) : description.payloads[index].data.size();
}

EncodedContainer Encode(const ContainerDescription& description, const PayloadFeed* feed) {
    EncodedContainer encoded;
    encoded.sections = EncodeHeader(description);
    Bytes script = EncodeScriptSection(description.records, description.payloads.size());
    Bytes table = EncodeTableHead(description.payloads.size());
    encoded.sections.insert(encoded.sections.end(), script.begin(), script.end());
    encoded.sections.insert(encoded.sections.end(), table.begin(), table.end());
    encoded.size = encoded.sections.size();
    for (std::size_t i = 0; i < description.payloads.size(); ++i) {
        std::uint64_t size = PayloadSize(description, feed, i);
        encoded.payloadHeads.push_back(EncodePayloadHead(description.payloads[i], size));
        encoded.size += encoded.payloadHeads.back().size() + size;
    }
    return encoded;
}

void CheckFits(std::uint64_t start, const EncodedContainer& encoded) {
    if (start + encoded.size > kMaxContainerEnd) throw MessageFailure(kContainerTooLarge);
}

// BinaryWriter refuses empty blocks; an empty text or payload simply writes nothing.
void WriteBlock(Common::BinaryWriter& writer, const Bytes& bytes) {
    if (!bytes.empty()) writer.Write(bytes);
}

void WriteEncoded(const std::shared_ptr<Common::StreamBase>& stream,
                  const EncodedContainer& encoded, const ContainerDescription& description,
                  const PayloadFeed* feed) {
    Common::BinaryWriter writer(stream);
    WriteBlock(writer, encoded.sections);
    for (std::size_t i = 0; i < encoded.payloadHeads.size(); ++i) {
        WriteBlock(writer, encoded.payloadHeads[i]);
        if (feed == nullptr) {
            WriteBlock(writer, description.payloads[i].data);
            continue;
        }
        feed->Feed(i, [&writer](const std::uint8_t* bytes, std::size_t count) {
            if (count != 0) writer.Write(bytes, static_cast<std::uint32_t>(count));
        });
    }
}

// The stub's bytes, after checking that a container appended to them will be found.
Bytes ReadStub(const std::string& stubPath) {
    Common::FileStream stub(stubPath, Common::OpenExisting, Common::FileAccess::Read,
                            Common::FileShare::Read);
    if (!stub.CanRead()) throw MessageFailure(kStubUnreadable);
    std::int64_t size = stub.GetLength();
    std::uint32_t end = LocatePatchContainer(stub);
    if (end == kNoContainerOffset || end > size) throw MessageFailure(kStubNotAnImage);
    if (end < size) throw MessageFailure(kStubHasTrailingData);
    Bytes bytes(end);
    if (!stub.Seek(0, 0) || (end != 0 && !stub.Read(bytes.data(), end))) {
        throw MessageFailure(kStubUnreadable);
    }
    return bytes;
}

}  // namespace

void WriteContainer(const std::shared_ptr<Common::StreamBase>& stream,
                    const ContainerDescription& description, const PayloadFeed* feed) {
    EncodedContainer encoded = Encode(description, feed);
    std::int64_t start = stream->GetPosition();
    CheckFits(start < 0 ? 0 : static_cast<std::uint64_t>(start), encoded);
    WriteEncoded(stream, encoded, description, feed);
}

void WritePatchExecutable(const std::string& stubPath, const ContainerDescription& description,
                          const std::string& outputPath, const PayloadFeed* feed) {
    EncodedContainer encoded = Encode(description, feed);
    Bytes stub = ReadStub(stubPath);
    CheckFits(stub.size(), encoded);
    auto output = std::make_shared<Common::FileStream>(
        outputPath, Common::CreateAlways, Common::FileAccess::Write, Common::FileShare::None,
        Common::FileOptions::SequentialScan);
    if (!output->CanWrite()) throw MessageFailure(kPatchNotCreated);
    try {
        Common::BinaryWriter(output).Write(stub);
        WriteEncoded(output, encoded, description, feed);
    } catch (const MessageFailure&) {
        output->Close();
        Os::DeleteFile(outputPath);
        throw;
    }
}

}  // namespace Orvane
