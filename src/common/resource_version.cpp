#include "common/resource_version.h"

#include <new>

#include "common/little_endian.h"

namespace Orvane::Common {
namespace {

// Offsets in the fixed version record of the product version's two words.
constexpr std::size_t kProductVersionMs = 16;
constexpr std::size_t kProductVersionLs = 20;
constexpr std::size_t kFixedInfoSize = 52;

}  // namespace

CResourceVersion::CResourceVersion(Os::ModuleHandle module) {
    try {
        if (!Os::LoadVersionInfo(module, &data_, &fixedInfo_) ||
            fixedInfo_ + kFixedInfoSize > data_.size()) {
            data_.clear();
        }
    } catch (const std::bad_alloc&) {
        data_.clear();
    }
}

ProductVersion CResourceVersion::GetProductVersion() const {
    std::uint32_t high = LoadU32(&data_[fixedInfo_ + kProductVersionMs]);
    std::uint32_t low = LoadU32(&data_[fixedInfo_ + kProductVersionLs]);
    return {static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high),
            static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low)};
}

}  // namespace Orvane::Common
