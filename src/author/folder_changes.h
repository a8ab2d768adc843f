// Folders between releases. No record makes or removes a folder: a copy makes the folders on
// its way, nothing removes one. So a file may make way for a folder (a delete before the
// copies), but a folder may not become a file, and folders that only one side has are worth a
// note.
#pragma once

#include "author/diff_context.h"

namespace Orvane::Author {

inline constexpr char kFileAndFolderInOlds[] =
    "a file in one old release and a folder in another, so no delete can make way for the "
    "new folder";
inline constexpr char kFolderBecomesFile[] = "a folder becomes a file";
inline constexpr char kRerunStops[] =
    "a second run of the patch stops at once, at the delete that makes way for the folder "
    "(the installation is new by then)";
inline constexpr char kEmptyFolderNotMade[] = "no record makes the empty folder";
inline constexpr char kOldFolderStays[] = "no record removes the folder that the new release lacks";

// Plans a delete, ahead of every other record, of each old file where the new release has a
// folder. Refuses a path that is a folder in an old release and a file in the new one, and a
// file in one old release where another has the folder (the delete would fail on the folder).
void CheckShapes(DiffContext& context);

// Notes the new release's empty folders that an old release lacks, and the old releases'
// folders that the new one lacks.
void NoteFolders(DiffContext& context);

}  // namespace Orvane::Author
