#include "author/install_path_length.h"

#include "author/record_paths.h"
#include "author/refusal.h"
#include "platform/path_limit.h"

namespace Orvane::Author {
namespace {

constexpr char kDrive[] = "C:\\";
constexpr char kPadding = 'x';
constexpr char kTempPrefix[] = "tmp";  // what the program's copies and updates use
constexpr char kFitsBelow[] = " (it fits below one of at most ";
constexpr char kCharacters[] = " characters";

bool Fits(const RecordPath& path, std::size_t folderLength) {
    std::string folder = InstallFolderOfLength(folderLength);
    return Os::FitsMaxPath(folder + path.path) &&
           (!path.writesTemp || Os::FitsTempFileName(folder + path.tempFolder, kTempPrefix));
}

std::size_t LongestFolderFor(const RecordPath& path, std::size_t below) {
    std::size_t length = below;
    while (length > 0 && !Fits(path, length)) --length;
    return length;
}

}  // namespace

std::string InstallFolderOfLength(std::size_t length) {
    std::string folder(kDrive);
    if (length > folder.size()) folder += std::string(length - folder.size() - 1, kPadding) + '\\';
    return folder.substr(0, length);
}

void RequirePathsFitBelow(const PatchPlan& plan, std::size_t folderLength) {
    RefusalList refusals;
    std::string reason = kPathTooLong + std::to_string(folderLength) + kCharacters;
    for (const RecordPath& path : RecordPaths(plan)) {
        if (Fits(path, folderLength)) continue;
        refusals.Add(reason, path.path + kFitsBelow +
                                 std::to_string(LongestFolderFor(path, folderLength)) + ")");
    }
    refusals.RaiseIfAny();
}

}  // namespace Orvane::Author
