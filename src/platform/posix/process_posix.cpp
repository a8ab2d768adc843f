// The program's own file and version. Linux has no version resources, so the version block is
// made from the project version the build passes in.
#include <time.h>
#include <unistd.h>

#include <cstdint>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/posix/cp932.h"

#ifndef ORVPATCH_VERSION_MAJOR
#define ORVPATCH_VERSION_MAJOR 0
#endif
#ifndef ORVPATCH_VERSION_MINOR
#define ORVPATCH_VERSION_MINOR 0
#endif
#ifndef ORVPATCH_VERSION_PATCH
#define ORVPATCH_VERSION_PATCH 0
#endif
#ifndef ORVPATCH_VERSION_TWEAK
#define ORVPATCH_VERSION_TWEAK 0
#endif

namespace Orvane::Os {
namespace {

constexpr char kOwnExecutable[] = "/proc/self/exe";

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoStructVersion = 0x00010000;
constexpr std::uint32_t kFileFlagsMask = 0x3F;     // VS_FFI_FILEFLAGSMASK
constexpr std::uint32_t kFileOs = 0x00040004;      // VOS_NT_WINDOWS32, what the Windows build says
constexpr std::uint32_t kFileTypeApplication = 1;  // VFT_APP
constexpr std::uint16_t kFixedInfoSize = 13 * 4;
constexpr char16_t kVersionInfoKey[] = u"VS_VERSION_INFO";
constexpr std::uint16_t kVersionInfoSize = 40 + kFixedInfoSize;
constexpr std::uint16_t kBinaryValue = 0;

constexpr std::uint32_t kVersionMs = (ORVPATCH_VERSION_MAJOR << 16) | ORVPATCH_VERSION_MINOR;
constexpr std::uint32_t kVersionLs = (ORVPATCH_VERSION_PATCH << 16) | ORVPATCH_VERSION_TWEAK;

void Put16(std::vector<std::uint8_t>& block, std::uint16_t value) {
    block.push_back(static_cast<std::uint8_t>(value));
    block.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& block, std::uint32_t value) {
    Put16(block, static_cast<std::uint16_t>(value));
    Put16(block, static_cast<std::uint16_t>(value >> 16));
}

// The root of a version resource as Windows returns it, without children:
//   u16 wLength (92), u16 wValueLength (52), u16 wType (0 = binary),
//   UTF-16 "VS_VERSION_INFO" and its zero, padding to a 4-byte boundary (offset 40),
//   VS_FIXEDFILEINFO: signature, structure version, file version MS/LS, product version MS/LS,
//   flags mask, flags, OS, type, subtype, date MS/LS (13 x u32).
std::vector<std::uint8_t> VersionBlock(std::size_t* fixedInfoOffset) {
    std::vector<std::uint8_t> block;
    Put16(block, kVersionInfoSize);
    Put16(block, kFixedInfoSize);
    Put16(block, kBinaryValue);
    for (char16_t unit : kVersionInfoKey) Put16(block, unit);  // with its terminating zero
    while (block.size() % 4 != 0) block.push_back(0);
    *fixedInfoOffset = block.size();
    for (std::uint32_t value :
         {kFixedInfoSignature, kFixedInfoStructVersion, kVersionMs, kVersionLs, kVersionMs,
          kVersionLs, kFileFlagsMask, 0u, kFileOs, kFileTypeApplication, 0u, 0u, 0u}) {
        Put32(block, value);
    }
    return block;
}

}  // namespace

std::optional<std::string> GetModuleFileName(ModuleHandle module) {
    if (module != nullptr) return std::nullopt;  // only the program's own file is known here
    std::string target(4 * kMaxPath, '\0');
    ssize_t length = ::readlink(kOwnExecutable, target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    std::string path = Posix::Utf8ToCp932(target);
    if (path.size() >= kMaxPath) return std::nullopt;
    return path;
}

bool LoadVersionInfo(ModuleHandle module, std::vector<std::uint8_t>* block,
                     std::size_t* fixedInfoOffset) {
    if (module != nullptr) return false;
    *block = VersionBlock(fixedInfoOffset);
    return true;
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    // <chrono> cannot be used here: its literals do not exist in code page 932.
    timespec wait{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&wait, &wait) != 0) {
    }
}

}  // namespace Orvane::Os
