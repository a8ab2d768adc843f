#include "platform/posix/unique_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "platform/posix/host_file.h"

namespace Orvane::Os::Posix {
namespace {

constexpr unsigned kHighestNumber = 0xFFFF;

unsigned RandomStart() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    auto mixed = static_cast<std::uint32_t>(now.tv_nsec) ^
                 static_cast<std::uint32_t>(::getpid()) * 2654435761u;
    return (mixed >> 16) % kHighestNumber + 1;
}

std::string HexNumber(unsigned number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%X", number);
    return digits;
}

}  // namespace

std::optional<UniqueFile> CreateUniqueFile(const std::string& hostFolder, std::string_view stem,
                                           std::string_view suffix) {
    unsigned number = RandomStart();
    for (unsigned tries = 0; tries < kHighestNumber; ++tries) {
        UniqueFile file;
        file.number = HexNumber(number);
        file.hostPath = hostFolder;
        file.hostPath.append(stem).append(file.number).append(suffix);
        file.descriptor =
            ::open(file.hostPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (file.descriptor >= 0) return file;
        if (errno != EEXIST) return std::nullopt;
        number = number % kHighestNumber + 1;
    }
    return std::nullopt;
}

}  // namespace Orvane::Os::Posix
