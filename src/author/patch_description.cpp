#include "author/patch_description.h"

#include "author/digest.h"
#include "author/host_files.h"
#include "author/refusal.h"

namespace Orvane::Author {

ContainerDescription DescribePatch(const PatchPlan& plan, const std::string& title,
                                   const std::string& registryKey, const StopPoll& stop) {
    ContainerDescription description;
    description.title = title;
    description.registryKey = registryKey;
    description.records = plan.records;
    description.payloads = plan.payloads;
    for (std::size_t i = 0; i < plan.payloads.size(); ++i) {
        StopIfAsked(stop);
        const PayloadSource& source = plan.sources[i];
        std::vector<std::uint8_t> data = ReadRange(source.file, source.offset, source.size);
        if (DigestOfBytes(data.data(), data.size()) != source.digest) {
            Refuse(kReleaseChanged, MessagePath(source.file));
        }
        description.payloads[i].data = std::move(data);
    }
    return description;
}

}  // namespace Orvane::Author
