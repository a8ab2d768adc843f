// Payload bytes that a ContainerDescription does not hold itself: the writers ask for every
// payload's size before they write anything, then for its bytes, in bounded pieces, when they
// reach it. A patch of any size is written this way in bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace Orvane {

class PayloadFeed {
public:
    using Sink = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    virtual ~PayloadFeed() = default;
    virtual std::uint64_t SizeOf(std::size_t index) const = 0;
    // Hands exactly SizeOf(index) bytes of the payload to sink, piece by piece, in order.
    // Raises MessageFailure when they cannot be read.
    virtual void Feed(std::size_t index, const Sink& sink) const = 0;
};

}  // namespace Orvane
