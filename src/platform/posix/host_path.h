// From the core's paths to paths on the disk.
//
// The core's paths are code page 932 with '\' or '/' between components; on the disk they are
// UTF-8 with '/'. The text is converted before separators are looked for, so the trail byte
// 0x5C of 表 (95 5C) or ソ (83 5C) never splits a name.
//
// Windows finds files without regard to case; a game's files are often named in another case
// than its patch gives. So a component that does not exist in the case given is matched
// case-insensitively against the entries of its folder and takes the case found on the disk,
// trying every entry that matches until the whole path is found; from the first component that
// matches nothing on, the case given is kept (new files and folders get the case the core asks
// for).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Orvane::Os::Posix {

// What case matching needs to know of the disk; tests pass a made-up folder tree.
class DirectoryView {
public:
    virtual ~DirectoryView() = default;
    // Whether an entry of exactly this name exists (a dangling symbolic link counts).
    virtual bool Exists(const std::string& path) const = 0;
    // The names in folder, without "." and ".."; none when it cannot be read.
    virtual std::vector<std::string> Entries(const std::string& folder) const = 0;
    // The names in folder equal to name without regard to case (name itself included).
    virtual std::vector<std::string> CaseVariants(const std::string& folder,
                                                  std::string_view name) const;
};

// The real disk; the case variants of names in a folder come from the run's kept listing of
// that folder where it has one (folder_listings.h).
const DirectoryView& HostDisk();

// A code page 932 path as UTF-8 with '/' separators (up to a zero byte, as a C string ends).
std::string ToHostSyntax(const std::string& cp932Path);

// hostPath with its components in the case they have on the disk. A folder may hold several
// entries that differ only in case ("DATA" and "Data"), so each component tries its exact name
// first, then the entries equal to it without regard to case in byte order, until the whole
// path resolves. When no choice resolves it, the one that resolves the most components wins
// (the first in that order among equals) and the components after them keep the case given.
// Repeated separators collapse; a leading and a trailing '/' stay.
std::string MatchCase(std::string_view hostPath, const DirectoryView& disk);

// hostPath with "." and ".." resolved by the text alone, as Windows resolves them before it
// looks at the disk ("missing/../file" is "file"); ".." does not climb above the root.
// Repeated separators collapse and a trailing separator stays.
std::string NormalHostPath(std::string_view hostPath);

// The absolute NormalHostPath of hostPath, a relative one taken from currentFolder.
std::string AbsoluteHostPath(std::string_view hostPath, std::string_view currentFolder);

// NormalHostPath, then MatchCase on the disk (skipped when the path exists as it is).
std::string ResolveHostPath(std::string_view hostPath);

// ToHostSyntax, then ResolveHostPath: the path every platform call works on. Empty for an
// empty path.
std::string HostPath(const std::string& cp932Path);

// A host path cut after its last '/': the folder with that separator, and the name after it.
struct FolderAndName {
    std::string_view folder;
    std::string_view name;
};
FolderAndName SplitAtLastSeparator(std::string_view hostPath);

}  // namespace Orvane::Os::Posix
