// The patch container as `orvpatch info` and a run meet it: the whole input is a patch
// executable. Its container is located behind the image, its header and script are loaded,
// the payload table is read with the payloads' bytes, and every record is parsed in order as
// a run asks for them, without executing any.
#include "fuzz/fuzz_target.h"
#include "fuzz/input_folder.h"
#include "patch/container_reader.h"

namespace {

constexpr char kPatchName[] = "patch.exe";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace Orvane;
    std::string path = Fuzz::CorePath(Fuzz::WriteInput(kPatchName, data, size));
    ContainerReading reading = ReadContainer(path, PayloadData::Keep);
    const std::size_t payloads = reading.description.payloads.size();
    Fuzz::FuzzRequire(reading.payloadSizes.size() == payloads &&
                          reading.payloadProblems.size() == payloads,
                      "one size and one problem per payload");
    Fuzz::FuzzRequire(reading.failureText.empty() == (reading.stoppedAt == ReadingStop::None),
                      "a failure text exactly where reading stopped");
    for (std::size_t i = 0; i < payloads; ++i) {
        const PayloadDescription& payload = reading.description.payloads[i];
        Fuzz::FuzzRequire(payload.data.empty() || payload.data.size() == reading.payloadSizes[i],
                          "a payload's bytes are all of its stored size");
    }
    return 0;
}
