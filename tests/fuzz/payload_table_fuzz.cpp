// The payload table ("[FILE]" section) from just behind its tag, as the script indexes it,
// `orvpatch info` lists it (stored fields) and a run loads each payload (with its bytes, or
// leaving them in the file). Both readers must agree on which payloads the program can load.
#include <algorithm>
#include <memory>
#include <vector>

#include "common/memory_stream.h"
#include "fuzz/fuzz_target.h"
#include "patch/pic_file.h"
#include "patch/stored_payload.h"

namespace {

using namespace Orvane;

constexpr int kFromBeginning = 0;

// The table's stored view of one payload must match what a run loads from it.
void CompareWithLoad(const StoredPayload& stored, const PicFile& loaded) {
    Fuzz::FuzzRequire(stored.fields.kind == loaded.kind && stored.fields.name == loaded.name,
                      "listed kind and name equal the loaded ones");
    Fuzz::FuzzRequire(stored.size == loaded.dataSize && stored.fields.data == loaded.data,
                      "listed size and bytes equal the loaded ones");
}

void ReadPayload(const std::shared_ptr<Common::StreamBase>& stream,
                 const std::vector<std::uint32_t>& positions, std::size_t index) {
    StoredPayload stored;
    bool listed = stream->Seek(positions[index], kFromBeginning) &&
                  ReadStoredPayload(*stream, stored, true);
    std::shared_ptr<PicFile> loaded = LoadPicFile(stream, positions, index, PayloadBytes::Load);
    std::shared_ptr<PicFile> left = LoadPicFile(stream, positions, index, PayloadBytes::Leave);
    Fuzz::FuzzRequire(listed == (loaded != nullptr), "listing judges a payload as loading does");
    Fuzz::FuzzRequire((loaded != nullptr) == (left != nullptr),
                      "a payload loads with and without its bytes alike");
    if (!loaded) return;
    CompareWithLoad(stored, *loaded);
    Fuzz::FuzzRequire(left->dataSize == loaded->dataSize && left->data.empty(),
                      "a payload left in the file keeps its size only");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto stream = std::make_shared<Common::MemoryStream>(std::vector<std::uint8_t>(data, data + size));
    std::vector<std::uint32_t> positions;
    IndexFileTable(stream, positions);
    for (std::size_t i = 0; i < positions.size(); ++i) ReadPayload(stream, positions, i);
    Fuzz::FuzzRequire(!LoadPicFile(stream, positions, positions.size()),
                      "no payload behind the table's last");
    return 0;
}
