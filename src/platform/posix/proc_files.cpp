#include "platform/posix/proc_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>

namespace Orvane::Os::Posix {
namespace {

constexpr std::size_t kReadPiece = 64 * 1024;
constexpr char kOwnProcessLink[] = "/proc/self";

constexpr char kProcessesFolder[] = "/proc";

bool IsProcessNumber(const char* name) {
    char* end = nullptr;
    long number = std::strtol(name, &end, 10);
    return number > 0 && *end == '\0';
}

}  // namespace

FolderReader::FolderReader(int descriptor)
    : folder_(descriptor >= 0 ? ::fdopendir(descriptor) : nullptr) {
    if (descriptor >= 0 && folder_ == nullptr) ::close(descriptor);
}

FolderReader::~FolderReader() {
    if (folder_ != nullptr) ::closedir(folder_);
}

const char* FolderReader::Next() {
    dirent* entry = ::readdir(folder_);
    return entry == nullptr ? nullptr : entry->d_name;
}

int OpenFolderAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool AnyProcess(const std::function<bool(int processFolder, const char* name)>& visit) {
    FolderReader processes(OpenFolderAt(AT_FDCWD, kProcessesFolder));
    if (!processes.IsOpen()) return false;
    while (const char* name = processes.Next()) {
        if (!IsProcessNumber(name)) continue;
        int processFolder = OpenFolderAt(processes.Descriptor(), name);
        if (processFolder < 0) continue;  // ended meanwhile
        bool found = visit(processFolder, name);
        ::close(processFolder);
        if (found) return true;
    }
    return false;
}

std::optional<std::string> ReadProcFile(int folder, const char* name) {
    int descriptor = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    std::string text;
    for (;;) {
        std::size_t used = text.size();
        text.resize(used + kReadPiece);
        ssize_t got = ::read(descriptor, text.data() + used, kReadPiece);
        if (got < 0 && errno == EINTR) got = 0;
        text.resize(used + static_cast<std::size_t>(got < 0 ? 0 : got));
        if (got <= 0) {
            ::close(descriptor);
            if (got < 0) return std::nullopt;
            return text;
        }
    }
}

std::optional<std::uint64_t> FieldNumber(std::string_view text, std::string_view key) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':') {
            std::size_t digits = line.find_first_not_of(" \t", key.size() + 1);
            std::uint64_t number = 0;
            if (digits == std::string_view::npos ||
                std::from_chars(line.data() + digits, line.data() + line.size(), number).ec !=
                    std::errc{})
                return std::nullopt;
            return number;
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

std::string OwnProcessName() {
    char name[32];
    ssize_t length = ::readlink(kOwnProcessLink, name, sizeof name);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof name) return {};
    return std::string(name, static_cast<std::size_t>(length));
}

}  // namespace Orvane::Os::Posix
