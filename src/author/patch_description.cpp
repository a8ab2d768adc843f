#include "author/patch_description.h"

namespace Orvane::Author {

ContainerDescription DescribePatch(const PatchPlan& plan, const std::string& title,
                                   const std::string& registryKey) {
    ContainerDescription description;
    description.title = title;
    description.registryKey = registryKey;
    description.records = plan.records;
    description.payloads = plan.payloads;
    return description;
}

}  // namespace Orvane::Author
