// A fresh, empty folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane::Test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the core sees paths (code page 932, platform separators), with a trailing
    // separator: "C:\...\orvtest-1234\" on Windows, "/tmp/orvtest-1234/" on Linux.
    const std::string& Path() const { return path_; }
    // Path() + relative, with '/' in relative turned into the platform separator.
    std::string operator/(const std::string& relative) const;

    // Helpers for arranging and inspecting files below the folder (relative names, '/').
    void WriteFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const;
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    std::vector<std::uint8_t> ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // Names of the entries directly in the folder (or a subfolder), sorted.
    std::vector<std::string> List(const std::string& relative = "") const;
    void MakeReadOnly(const std::string& relative, bool readOnly) const;
    // Gives the file a second name (a hard link) below the folder.
    void Link(const std::string& existing, const std::string& link) const;

private:
    std::string path_;
};

// The platform's path separator as the core writes it.
char Separator();

}  // namespace Orvane::Test
