// `orvpatch info` as text: the container's header, payload table and script records, names in
// UTF-8, one record per line. A payload that the patch program cannot load says why at the end
// of its line.
#pragma once

#include <cstdio>

#include "patch/container_reader.h"

namespace Orvane::Cli {

// Prints what was read; the failure text, if any, is the caller's to print.
void PrintContainerText(std::FILE* out, const ContainerReading& reading);

// "2024-03-05 14:30:00", the stored fields as they are.
std::string FormatTimeStamp(const TimeStamp& stamp);

// Why the patch program cannot load a payload; empty for PayloadProblem::None.
std::string PayloadProblemText(PayloadProblem problem);

}  // namespace Orvane::Cli
