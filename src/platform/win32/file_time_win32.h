// FILETIME, the platform's two 32-bit halves, as the single 64-bit count the interface uses.
#pragma once

#include <cstdint>

#include "platform/win32/win32_api.h"

namespace Orvane::Os::Win32 {

inline FILETIME ToFiletime(std::uint64_t value) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

inline std::uint64_t FromFiletime(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace Orvane::Os::Win32
