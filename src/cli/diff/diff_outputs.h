// The files `orvpatch diff` writes: the patch and, with --manifest, the manifest and the folder
// of its payload files (named after the manifest: patch.toml keeps them in patch.payloads/).
//
// Each is written under a marked temporary name beside its place (diff_temporaries.h) and
// renamed there by Commit once everything has succeeded; a payload folder that is there
// already is swapped with the new one in one step and then removed. Without Commit the
// destructor removes the temporary files only: a failed diff leaves every path it was given
// as it found it. What killed diffs left beside these places is removed first.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace Orvane::Cli {

inline constexpr char kPayloadsSuffix[] = ".payloads";

// The payload folder of a manifest: patch.toml keeps its payloads in patch.payloads/.
std::filesystem::path PayloadFolderOf(const std::filesystem::path& manifest);

class DiffOutputs {
public:
    // Paths as given (UTF-8). Raises UsageError when code page 932 cannot hold the patch's path,
    // MessageFailure when no temporary file can be made beside a place.
    DiffOutputs(const std::string& patch, const std::optional<std::string>& manifest);
    ~DiffOutputs();
    DiffOutputs(const DiffOutputs&) = delete;
    DiffOutputs& operator=(const DiffOutputs&) = delete;

    // Where to write the patch first, in code page 932.
    const std::string& PatchTemporary() const { return patchTemporaryCp932_; }
    const std::filesystem::path& ManifestTemporary() const { return manifestTemporary_; }
    // An empty folder, made already.
    const std::filesystem::path& PayloadsTemporary() const { return payloadsTemporary_; }
    // The payload folder's name as the manifest refers to it.
    std::string PayloadFolderName() const;

    // Renames everything into place. Raises MessageFailure when a rename fails.
    void Commit();

private:
    void MakeTemporaries(const std::optional<std::string>& manifest);
    void RemoveTemporaries() const;

    std::filesystem::path patch_;
    std::filesystem::path patchTemporary_;
    std::string patchTemporaryCp932_;
    std::optional<std::filesystem::path> manifest_;
    std::filesystem::path manifestTemporary_;
    std::filesystem::path payloads_;
    std::filesystem::path payloadsTemporary_;
};

}  // namespace Orvane::Cli
