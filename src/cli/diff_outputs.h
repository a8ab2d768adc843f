// The files `orvpatch diff` writes: the patch and, with --manifest, the manifest and the folder
// of its payload files (named after the manifest: patch.toml keeps them in patch.payloads/).
//
// Each is written under a temporary name beside its place and renamed there by Commit once
// everything has succeeded. Without Commit the destructor removes the temporary files and
// whatever is at the three places, an older patch included: a failed diff leaves nothing that
// could be taken for its result.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace Orvane::Cli {

class DiffOutputs {
public:
    // Paths as given (UTF-8). Raises UsageError when code page 932 cannot hold the patch's path.
    DiffOutputs(const std::string& patch, const std::optional<std::string>& manifest);
    ~DiffOutputs();
    DiffOutputs(const DiffOutputs&) = delete;
    DiffOutputs& operator=(const DiffOutputs&) = delete;

    // Where to write the patch first, in code page 932.
    const std::string& PatchTemporary() const { return patchTemporaryCp932_; }
    const std::filesystem::path& ManifestTemporary() const { return manifestTemporary_; }
    const std::filesystem::path& PayloadsTemporary() const { return payloadsTemporary_; }
    // The payload folder's name as the manifest refers to it.
    std::string PayloadFolderName() const;

    // Renames everything into place. Raises MessageFailure when a rename fails.
    void Commit();

private:
    std::filesystem::path patch_;
    std::filesystem::path patchTemporary_;
    std::string patchTemporaryCp932_;
    std::optional<std::filesystem::path> manifest_;
    std::filesystem::path manifestTemporary_;
    std::filesystem::path payloads_;
    std::filesystem::path payloadsTemporary_;
    bool committed_ = false;
};

}  // namespace Orvane::Cli
