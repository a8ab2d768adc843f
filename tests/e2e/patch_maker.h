// Patch executables for the tests: the minimal stub image followed by a container.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "patch/container_description.h"

namespace Orvane::Test {

// The payloads' stamp unless a test says otherwise: 2024-03-05 14:30:00, local time.
inline constexpr TimeStamp kPayloadTime{2024, 3, 5, 14, 30, 0};

// nameCp932 is the name the payload gets where it is written.
PayloadDescription Payload(const std::string& nameCp932, const std::string& bytes,
                           TimeStamp modified = kPayloadTime);

// Writes the patch for description to path (code page 932) with the container writer.
void WritePatch(const std::string& path, const ContainerDescription& description);

// The same, but with the script made of these record bytes as they are, so that records the
// writer refuses (damaged ones, payload indexes out of range) can be tested.
void WritePatchWithScript(const std::string& path, const ContainerDescription& description,
                          const std::vector<std::uint8_t>& records);

// The bytes of one record, unchecked.
std::vector<std::uint8_t> RecordBytes(const ScriptRecord& record);

}  // namespace Orvane::Test
