#include "patch_maker.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "common/little_endian.h"
#include "patch/container_encoding.h"
#include "patch/container_format.h"
#include "patch/container_writer.h"
#include "support/text.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kStubSuffix[] = ".stub";

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::string utf8 = Utf8(path);
    std::ofstream out(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())),
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + utf8);
}

}  // namespace

PayloadDescription Payload(const std::string& nameCp932, const std::string& bytes,
                           TimeStamp modified) {
    PayloadDescription payload;
    payload.name = nameCp932;
    payload.created = modified;
    payload.modified = modified;
    payload.data.assign(bytes.begin(), bytes.end());
    return payload;
}

void WritePatch(const std::string& path, const ContainerDescription& description) {
    std::string stub = path + kStubSuffix;
    Tools::WriteMinimalImage(stub);
    WritePatchExecutable(stub, description, path);
}

void WritePatchWithScript(const std::string& path, const ContainerDescription& description,
                          const Bytes& records) {
    Bytes file = Tools::MinimalImage();
    Append(file, EncodeHeader(description));
    file.insert(file.end(), kScriptTag, kScriptTag + kScriptTagSize);
    Common::AppendU32(file, static_cast<std::uint32_t>(records.size()));
    Append(file, records);
    Append(file, EncodeTableHead(description.payloads.size()));
    for (const PayloadDescription& payload : description.payloads) {
        Append(file, EncodePayloadHead(payload));
        Append(file, payload.data);
    }
    WriteBytes(path, file);
}

Bytes RecordBytes(const ScriptRecord& record) { return EncodeRecord(record); }

}  // namespace Orvane::Test
