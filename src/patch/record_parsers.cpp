#include "patch/record_parsers.h"

#include "common/ansi_path.h"
#include "patch/patch_script.h"

namespace Orvane {
namespace {

// The destination folder; a folder that is given always ends with a backslash, so that the
// payload's name can be appended.
bool ReadFolder(CPatchScript& script, std::string& folder) {
    std::uint16_t size = 0;
    if (!script.ReadText(folder, &size)) return false;
    if (size != 0) folder = Common::WithTrailingBackslash(folder);
    return true;
}

bool ReadRemovals(CPatchScript& script, ArchiverParams& params) {
    std::uint16_t count = 0;
    if (!script.ReadWord(count)) return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        auto removal = std::make_shared<ArchiverParams::revome>();
        if (!script.ReadWord(removal->revision) || !script.ReadText(removal->name)) return false;
        params.removals.push_back(std::move(removal));
    }
    return true;
}

bool ReadAdditions(CPatchScript& script, ArchiverParams& params) {
    std::uint16_t count = 0;
    if (!script.ReadWord(count)) return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        auto addition = std::make_shared<ArchiverParams::add>();
        if (!script.ReadWord(addition->reserved) || !script.ReadWord(addition->fileIndex)) {
            return false;
        }
        params.additions.push_back(std::move(addition));
    }
    return true;
}

}  // namespace

std::shared_ptr<ICmdParams> ParseCopyRecord(CPatchScript& script, std::uint16_t recordSize) {
    auto params = std::make_shared<CopyParams>();
    params->recordSize = recordSize;
    if (!ReadFolder(script, params->relativePath) || !script.ReadWord(params->fileIndex)) {
        return nullptr;
    }
    params->file = script.LoadPicFile(params->fileIndex);
    if (!params->file) return nullptr;
    return params;
}

std::shared_ptr<ICmdParams> ParseDeleteRecord(CPatchScript& script, std::uint16_t recordSize) {
    auto params = std::make_shared<DeleteParams>();
    params->recordSize = recordSize;
    if (!script.ReadText(params->relativePath)) return nullptr;
    return params;
}

std::shared_ptr<ICmdParams> ParseArchiveRecord(CPatchScript& script, std::uint16_t recordSize) {
    auto params = std::make_shared<ArchiverParams>();
    params->recordSize = recordSize;
    if (!script.ReadText(params->relativePath) || !script.ReadWord(params->revision)) {
        return nullptr;
    }
    if (!ReadRemovals(script, *params) || !ReadAdditions(script, *params)) return nullptr;
    return params;
}

}  // namespace Orvane
