// A sandbox for running the built `orvpatch apply`: a root folder holding the installation
// (ゲーム/), the patch and capture files (work/) and the child's working folder (cwd/), so
// that anything a run writes where it must not is found.
//
// The child runs with TZ=JST-9 (payload stamps are local times) and a Wine prefix that does
// not exist, unless a test says otherwise; paths in tests are UTF-8 and relative to ゲーム/.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/folder_state.h"
#include "patch/container_description.h"
#include "support/temp_folder.h"
#include "tools/link_archive_file.h"

namespace Orvane::Test {

// 2020-01-01 00:00:00 UTC: files of the installation are older than every payload.
inline constexpr std::int64_t kInstalledTime = 1577836800;
// The child's time zone, nine hours east of UTC without daylight saving.
inline constexpr char kChildTimeZone[] = "JST-9";
inline constexpr std::int64_t kChildUtcOffset = 9 * 3600;

// A local time stamp of the child's time zone in seconds since 1970 (UTC).
std::int64_t ChildEpoch(const TimeStamp& stamp);

class ApplyTest : public testing::Test {
protected:
    ApplyTest();

    std::string RootPath(const std::string& relative = "") const;
    std::string GamePath(const std::string& relative = "") const;
    std::string PatchPath() const;

    void WriteGameFile(const std::string& relative, const std::string& bytes,
                       std::int64_t modified = kInstalledTime) const;
    void WriteGameArchive(const std::string& relative, const Tools::LinkArchive& archive) const;
    std::optional<Tools::LinkArchive> ReadGameArchive(const std::string& relative) const;
    void MakeGameFileReadOnly(const std::string& relative) const;
    FolderState GameState() const { return ReadFolderState(GamePath()); }

    void WritePatch(const ContainerDescription& description) const;
    void WritePatchWithScript(const ContainerDescription& description,
                              const std::vector<std::uint8_t>& records) const;

    ChildOptions DefaultOptions() const;
    ChildResult Apply(const std::vector<std::string>& arguments) const;
    ChildResult Apply(const std::vector<std::string>& arguments, const ChildOptions& options) const;
    // apply --folder <installation> <patch>
    ChildResult ApplyToGame() const;
    ChildResult ApplyToGameInterrupted(std::size_t allowedErrBytes) const;

private:
    TempFolder root_;
};

}  // namespace Orvane::Test
