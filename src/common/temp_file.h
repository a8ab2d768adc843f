// A uniquely named, initially empty file in a given folder, deleted when released.
//
//   CTempFile temp;
//   std::optional<std::string> path = temp.Create("tmp", folder);  // folder chain made if missing
//   ... open *path with CreateAlways, write, then rename or copy it into place ...
//   // the destructor deletes the file; a file renamed away is simply not found
#pragma once

#include <optional>
#include <string>

namespace Orvane::Common {

class CTempFile {
public:
    CTempFile() = default;
    virtual ~CTempFile();

    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Makes the file: folder + up to three characters of prefix + hex digits + ".TMP".
    // Returns its path, or nothing when the folder cannot be made or no file could be created
    // (when the folder cannot be made the object keeps what it held).
    std::optional<std::string> Create(const std::string& prefix, const std::string& folder);
    // Deletes the file held, if any, and empties the fields. A file already gone is no error;
    // one that cannot be deleted yet (held open by another process) is retried for about two
    // seconds before it is left.
    void Delete();
    // Forgets the file without deleting it, once it has been renamed into place: its name is
    // gone, and looking for it again costs a search of the folder where case is matched.
    void Forget();

    const std::string& Path() const { return path_; }
    const std::string& FileName() const { return fileName_; }

private:
    std::string path_;
    std::string fileName_;
};

}  // namespace Orvane::Common
