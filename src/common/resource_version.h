// The version information of a module, read once at construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/os.h"

namespace Orvane::Common {

struct ProductVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t build = 0;
    std::uint16_t revision = 0;
};

class CResourceVersion {
public:
    // Never fails outward: a module without usable version information gives no data.
    explicit CResourceVersion(Os::ModuleHandle module);

    bool HasData() const { return !data_.empty(); }
    // Only when HasData().
    ProductVersion GetProductVersion() const;

private:
    std::vector<std::uint8_t> data_;
    std::size_t fixedInfo_ = 0;  // offset of the fixed version record in data_
};

}  // namespace Orvane::Common
