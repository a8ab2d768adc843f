// TOML values as a manifest writer spells them.
#pragma once

#include <string>

#include "patch/container_description.h"

namespace Orvane::Cli {

// A basic string: "…" with '"', '\' and control characters escaped; UTF-8 in, UTF-8 out.
std::string TomlString(const std::string& utf8);

// A local date and time: 2024-03-05T14:30:00.
std::string TomlDateTime(const TimeStamp& stamp);

}  // namespace Orvane::Cli
