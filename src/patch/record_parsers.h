// The parsers of the three record types, called by CPatchScript::NextCommand with the cursor
// just behind the record's type and size. Each returns the parsed record, or empty when the
// record is cut off or (for a copy) its payload cannot be loaded.
#pragma once

#include <cstdint>
#include <memory>

#include "patch/command_params.h"

namespace Orvane {

class CPatchScript;

std::shared_ptr<ICmdParams> ParseCopyRecord(CPatchScript& script, std::uint16_t recordSize);
std::shared_ptr<ICmdParams> ParseDeleteRecord(CPatchScript& script, std::uint16_t recordSize);
std::shared_ptr<ICmdParams> ParseArchiveRecord(CPatchScript& script, std::uint16_t recordSize);

}  // namespace Orvane
