#include "author/folder_alias.h"

#include <fcntl.h>
#include <unistd.h>

namespace Orvane::Author {
namespace {

constexpr char kOpenFolders[] = "/proc/self/fd/";

}  // namespace

FolderAlias::FolderAlias(const std::filesystem::path& folder)
    : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (descriptor_ >= 0) path_ = kOpenFolders + std::to_string(descriptor_) + "/";
}

FolderAlias::~FolderAlias() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace Orvane::Author
