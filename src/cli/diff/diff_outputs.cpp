#include "cli/diff/diff_outputs.h"

#include "author/host_files.h"
#include "cli/diff/diff_temporaries.h"
#include "cli/diff/temporary_entries.h"
#include "cli/path_argument.h"
#include "common/utf8_path.h"
#include "common/failure.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kCannotPlace[] = "cannot put the result in place";

void Remove(const fs::path& path) {
    std::error_code error;
    if (!path.empty()) fs::remove_all(path, error);
}

[[noreturn]] void FailToPlace(const fs::path& to) {
    throw MessageFailure(std::string(kCannotPlace) + ": " + Author::MessagePath(to));
}

void Rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) FailToPlace(to);
    Unmark(to);
}

// A folder cannot be renamed over one that holds files: the two are exchanged, and what was
// there before is removed under the temporary name.
void ReplaceFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(to, error))) return Rename(from, to);
    if (!ExchangeFolders(from, to)) FailToPlace(to);
    Unmark(to);
    Remove(from);
}

fs::path FolderOf(const fs::path& path) { return path.parent_path(); }

}  // namespace

fs::path PayloadFolderOf(const fs::path& manifest) {
    fs::path payloads = manifest.parent_path() / manifest.stem();
    payloads += kPayloadsSuffix;
    return payloads;
}

DiffOutputs::DiffOutputs(const std::string& patch, const std::optional<std::string>& manifest)
    : patch_(Common::PathFromUtf8(patch)) {
    try {
        MakeTemporaries(manifest);
    } catch (...) {  // the destructor does not run for a constructor that fails
        RemoveTemporaries();
        throw;
    }
}

DiffOutputs::~DiffOutputs() { RemoveTemporaries(); }

void DiffOutputs::MakeTemporaries(const std::optional<std::string>& manifest) {
    RemoveLeftovers(FolderOf(patch_));
    patchTemporary_ = CreateMarkedFile(patch_);
    patchTemporaryCp932_ = AnsiPathArgument(Common::Utf8FromPath(patchTemporary_));
    if (!manifest) return;
    manifest_ = Common::PathFromUtf8(*manifest);
    RemoveLeftovers(FolderOf(*manifest_));
    manifestTemporary_ = CreateMarkedFile(*manifest_);
    payloads_ = PayloadFolderOf(*manifest_);
    payloadsTemporary_ = CreateMarkedFolder(payloads_);
}

void DiffOutputs::RemoveTemporaries() const {
    for (const fs::path& path : {patchTemporary_, manifestTemporary_, payloadsTemporary_}) {
        Remove(path);
    }
}

std::string DiffOutputs::PayloadFolderName() const {
    return Common::Utf8FromPath(payloads_.filename());
}

void DiffOutputs::Commit() {
    if (manifest_) {
        ReplaceFolder(payloadsTemporary_, payloads_);
        Rename(manifestTemporary_, *manifest_);
    }
    Rename(patchTemporary_, patch_);
}

}  // namespace Orvane::Cli
