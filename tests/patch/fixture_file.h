// Byte fixtures as files: the readers under test work on real file streams on both platforms.
#pragma once

#include <memory>
#include <string>

#include "support/byte_builder.h"
#include "common/file_stream.h"
#include "support/temp_folder.h"

namespace Orvane::Test {

// Writes bytes to name in the folder and opens the file for reading, as the patch program
// opens its executable.
inline std::shared_ptr<Common::FileStream> OpenBytes(const TempFolder& folder, const Bytes& bytes,
                                                     const std::string& name = "fixture.bin") {
    folder.WriteFile(name, bytes);
    return std::make_shared<Common::FileStream>(
        folder / name, Common::OpenExisting, Common::FileAccess::Read,
        Common::FileShare::Read | Common::FileShare::Write);
}

}  // namespace Orvane::Test
