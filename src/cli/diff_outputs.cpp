#include "cli/diff_outputs.h"

#include <random>

#include "author/host_files.h"
#include "cli/path_argument.h"
#include "cli/utf8_path.h"
#include "common/failure.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kPayloadsSuffix[] = ".payloads";
constexpr char kTemporaryMark[] = ".tmp-";
constexpr char kCannotPlace[] = "cannot put the result in place";

// A name beside path that nothing has yet.
fs::path Temporary(const fs::path& path) {
    std::random_device random;
    fs::path candidate;
    std::error_code error;
    do {
        candidate = path;
        candidate += kTemporaryMark + std::to_string(random());
    } while (fs::exists(candidate, error));
    return candidate;
}

void Remove(const fs::path& path) {
    std::error_code error;
    if (!path.empty()) fs::remove_all(path, error);
}

// Only a file: a folder at the place of the patch or the manifest is not ours to remove.
void RemoveFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) fs::remove(path, error);
}

void Rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) throw MessageFailure(std::string(kCannotPlace) + ": " + Author::MessagePath(to));
}

}  // namespace

DiffOutputs::DiffOutputs(const std::string& patch, const std::optional<std::string>& manifest)
    : patch_(PathFromUtf8(patch)), patchTemporary_(Temporary(patch_)) {
    patchTemporaryCp932_ = AnsiPathArgument(Utf8FromPath(patchTemporary_));
    if (!manifest) return;
    manifest_ = PathFromUtf8(*manifest);
    manifestTemporary_ = Temporary(*manifest_);
    payloads_ = manifest_->parent_path() / manifest_->stem();
    payloads_ += kPayloadsSuffix;
    payloadsTemporary_ = Temporary(payloads_);
}

DiffOutputs::~DiffOutputs() {
    for (const fs::path& path : {patchTemporary_, manifestTemporary_, payloadsTemporary_}) {
        Remove(path);
    }
    if (committed_) return;
    RemoveFile(patch_);
    if (manifest_) RemoveFile(*manifest_);
}

std::string DiffOutputs::PayloadFolderName() const { return Utf8FromPath(payloads_.filename()); }

void DiffOutputs::Commit() {
    if (manifest_) {
        Remove(payloads_);
        Rename(payloadsTemporary_, payloads_);
        Rename(manifestTemporary_, *manifest_);
    }
    Rename(patchTemporary_, patch_);
    committed_ = true;
}

}  // namespace Orvane::Cli
