#include "cli/diff/temporary_entries.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/temp_mark.h"

namespace Orvane::Cli {
namespace {

constexpr mode_t kFileMode = 0666;
constexpr mode_t kFolderMode = 0777;

// A file system without marks leaves the entry unmarked: it is then never swept.
Creation Marked(int descriptor) {
    if (descriptor < 0) return errno == EEXIST ? Creation::NameTaken : Creation::Failed;
    Os::Posix::MarkAsTemporary(descriptor);
    ::close(descriptor);
    return Creation::Made;
}

}  // namespace

Creation MakeMarkedFile(const std::filesystem::path& path) {
    return Marked(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode));
}

Creation MakeMarkedFolder(const std::filesystem::path& path) {
    if (::mkdir(path.c_str(), kFolderMode) != 0) return Marked(-1);
    return Marked(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool IsLeftoverEntry(const std::filesystem::path& path) {
    return Os::Posix::IsLeftoverTemporary(path.native());
}

void DropMark(const std::filesystem::path& path) { Os::Posix::DropTemporaryMark(path.native()); }

bool ExchangeFolders(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0;
}

}  // namespace Orvane::Cli
