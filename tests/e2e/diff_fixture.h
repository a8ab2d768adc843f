// A sandbox for running the built `orvpatch diff`: releases old/ and new/ (and more when a test
// asks), a stub image, and out/ for the patch and the manifest. The child runs with TZ=JST-9.
// Paths in tests are UTF-8; release paths are relative to their release.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "tools/link_archive_file.h"

namespace Orvane::Test {

// 2023-01-01 and 2024-01-01, 00:00:00 UTC: the old and the new release's times.
inline constexpr std::int64_t kOldTime = 1672531200;
inline constexpr std::int64_t kNewTime = 1704067200;

// An archive entry named in UTF-8, holding the bytes of data.
Tools::LinkEntry Entry(const std::u8string& name, const std::string& data);

class DiffTest;

// An arrangement of a test: the archive at relative in old/ (kOldTime) and in new/ (kNewTime).
std::function<void(const DiffTest&)> ArchiveChange(const std::string& relative,
                                                   const Tools::LinkArchive& old,
                                                   const Tools::LinkArchive& newer);

class DiffTest : public testing::Test {
public:
    DiffTest();

    std::string Path(const std::string& relative) const;  // below the sandbox
    std::string PatchPath() const { return Path("out/patch.exe"); }
    std::string ManifestPath() const { return Path("out/patch.toml"); }

    void WriteFile(const std::string& release, const std::string& relative,
                   const std::string& bytes, std::int64_t modified) const;
    void WriteArchive(const std::string& release, const std::string& relative,
                      const Tools::LinkArchive& archive, std::int64_t modified) const;
    void MakeFolder(const std::string& relative) const;
    void MakeReadOnly(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

    // orvpatch diff old new -o out/patch.exe --title TITLE --registry-key K --stub stub.exe,
    // then the extra arguments.
    ChildResult Diff(const std::vector<std::string>& extra = {},
                     const std::string& title = "T") const;
    // orvpatch with exactly these arguments.
    ChildResult Run(const std::vector<std::string>& arguments) const;

private:
    TempFolder root_;
};

}  // namespace Orvane::Test
