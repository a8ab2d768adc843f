// New files under names nobody holds: folder + stem + hexadecimal number + suffix, created
// exclusively, so two creators (in this process or another) never get the same file. Each is
// marked as a temporary file of ours (temp_mark.h) before it has its name, where the file
// system allows, so that no moment leaves an unmarked one behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Orvane::Os::Posix {

struct UniqueFile {
    int descriptor = -1;  // open for reading and writing, closed on exec
    std::string number;   // the hexadecimal digits chosen, upper case, without leading zeros
    std::string hostPath;
};

// Tries the numbers 1..FFFF (never 0) from a random start, one after the other, until one is
// free; nothing when every number is taken or the folder cannot take the file. hostFolder is
// empty (the current folder) or ends with '/'. The file gets ordinary permissions.
std::optional<UniqueFile> CreateUniqueFile(const std::string& hostFolder, std::string_view stem,
                                           std::string_view suffix);

// Unlinks the files of hostFolder that CreateUniqueFile made with this stem and suffix (the
// name and the mark) in a process that no longer runs.
void RemoveLeftoverUniqueFiles(const std::string& hostFolder, std::string_view stem,
                               std::string_view suffix);

}  // namespace Orvane::Os::Posix
