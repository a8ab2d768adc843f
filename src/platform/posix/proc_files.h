// Reading what /proc keeps about processes. Nothing here asks any other file system for
// anything: these files are made by the kernel from what it holds.
#pragma once

#include <dirent.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Orvane::Os::Posix {

// The whole text of a file under an open /proc folder (a few bytes to a few megabytes);
// nothing when it cannot be opened or read (the process ended, or is another user's).
std::optional<std::string> ReadProcFile(int folder, const char* name);

// The number after "key:" on a line of text such as "mnt_id:\t23"; nothing when no line
// starts with key.
std::optional<std::uint64_t> FieldNumber(std::string_view text, std::string_view key);

// A folder read entry by entry, closed when it goes out of scope.
class FolderReader {
public:
    explicit FolderReader(int descriptor);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool IsOpen() const { return folder_ != nullptr; }
    int Descriptor() const { return ::dirfd(folder_); }
    // The next entry's name, or nullptr at the end.
    const char* Next();

private:
    DIR* folder_;
};

// openat() of a folder, closed on exec.
int OpenFolderAt(int parent, const char* name);

// Calls visit with the open folder /proc/PID and the number PID of each process /proc shows,
// until visit returns true; whether one did. False when there is no /proc.
bool AnyProcess(const std::function<bool(int processFolder, const char* name)>& visit);

// This process's number as /proc names it: /proc may belong to a PID namespace other than
// ours (a run started with `unshare --pid` without a /proc of its own), where getpid() names
// another process or none. Empty when /proc says nothing.
std::string OwnProcessName();

}  // namespace Orvane::Os::Posix
