// One parsed command record of the patch script each. A record comes back from
// CPatchScript::NextCommand as a shared ICmdParams; its `type` names the derived class to
// convert it to (std::static_pointer_cast):
//
//   kCopyCommand    CopyParams      write a payload into a folder below the installation folder
//   kDeleteCommand  DeleteParams    delete a file below the installation folder
//   kArchiveCommand ArchiverParams  bring an archive up to a revision
//   kEndOfScript    ICmdParams      no more records
//
// ICmdParams has no virtual destructor: every object is made with std::make_shared as its
// concrete class, so the last release always destroys the concrete class.
//
// The commands set baseFolder (the installation folder, ending in a backslash) before they
// ask for paths; the paths are plain concatenations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "patch/container_format.h"
#include "patch/pic_file.h"

namespace Orvane {

class ICmdParams {
public:
    std::int32_t type = kEndOfScript;
    std::uint32_t recordSize = 0;  // as the record states it; never used for parsing
};

class CopyParams final : public ICmdParams {
public:
    CopyParams() { type = kCopyCommand; }

    // The payload's name.
    virtual std::string GetName() const;
    // baseFolder + relativePath + the payload's name.
    virtual std::string GetFullPath() const;
    // baseFolder + relativePath.
    virtual std::string GetFolder() const;

    std::string baseFolder;
    // The destination folder; when not empty it ends with a backslash character.
    std::string relativePath;
    std::uint16_t fileIndex = 0;  // the payload's index in the table
    std::shared_ptr<PicFile> file;
};

class DeleteParams final : public ICmdParams {
public:
    DeleteParams() { type = kDeleteCommand; }

    // relativePath.
    virtual std::string GetName() const;
    // baseFolder + relativePath.
    virtual std::string GetFullPath() const;

    std::string baseFolder;
    std::string relativePath;
};

class ArchiverParams final : public ICmdParams {
public:
    // An entry to drop from the archive. `done` is set once it has removed an entry.
    struct revome {
        std::uint16_t revision = 0;
        std::string name;
        std::int32_t done = 0;
    };
    // A payload to append to the archive as a new entry.
    struct add {
        std::uint16_t reserved = 0;
        std::uint16_t fileIndex = 0;
    };

    ArchiverParams() { type = kArchiveCommand; }

    // relativePath.
    virtual std::string GetName() const;
    // baseFolder + relativePath.
    virtual std::string GetFullPath() const;

    std::string baseFolder;
    std::string relativePath;
    std::uint16_t revision = 0xFFFF;  // the revision the update produces
    std::vector<std::shared_ptr<revome>> removals;
    std::vector<std::shared_ptr<add>> additions;
};

}  // namespace Orvane
