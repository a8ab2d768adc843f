// Folders between releases. No record makes or removes a folder: a copy makes the folders on
// its way, nothing removes one. So a file and a folder may not trade places, and folders that
// only one side has are worth a note.
#pragma once

#include "author/diff_context.h"

namespace Orvane::Author {

inline constexpr char kFileBecomesFolder[] = "a file becomes a folder";
inline constexpr char kFolderBecomesFile[] = "a folder becomes a file";
inline constexpr char kEmptyFolderNotMade[] = "no record makes the empty folder";
inline constexpr char kOldFolderStays[] = "no record removes the folder that the new release lacks";

// Refuses a path that is a file in one release and a folder in another.
void CheckShapes(const DiffContext& context);

// Notes the new release's empty folders that an old release lacks, and the old releases'
// folders that the new one lacks.
void NoteFolders(DiffContext& context);

}  // namespace Orvane::Author
