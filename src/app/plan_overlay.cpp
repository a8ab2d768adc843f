#include "app/plan_overlay.h"

#include <ctime>

#include "common/ansi_path.h"
#include "common/file_status.h"
#include "platform/os.h"

namespace Orvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsParentStep(const std::string& component) { return component == ".."; }

void AddComponent(std::vector<std::string>& components, std::string component) {
    if (component.empty() || component == ".") return;
    if (IsParentStep(component)) {
        if (!components.empty()) components.pop_back();
        return;
    }
    components.push_back(std::move(component));
}

// 2 for a double-byte character of code page 932 starting at text[at], else 1.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
    bool lead = Common::IsLeadByte(static_cast<std::uint8_t>(text[at]));
    return lead && at + 1 < text.size() ? 2 : 1;
}

std::string Join(const std::vector<std::string>& components, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) joined += Common::kBackslash;
        joined += components[i];
    }
    return joined;
}

}  // namespace

std::vector<std::string> PathComponents(const std::string& relativePath) {
    std::vector<std::string> components;
    std::string current;
    for (std::size_t at = 0, length = 0; at < relativePath.size(); at += length) {
        length = CharacterLength(relativePath, at);
        if (length == 1 && IsSeparator(relativePath[at])) {
            AddComponent(components, std::move(current));
            current.clear();
        } else {
            current.append(relativePath, at, length);
        }
    }
    AddComponent(components, std::move(current));
    return components;
}

std::u16string PathKey(const std::string& relativePath) {
    std::vector<std::string> components = PathComponents(relativePath);
    return Os::FoldNameCase(Join(components, components.size()));
}

Basic::CTime LocalTimeNow() {
    std::tm fields{};
    if (!Os::LocalTime64(static_cast<std::int64_t>(std::time(nullptr)), &fields)) return {};
    return Basic::CTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                        fields.tm_min, fields.tm_sec);
}

PlanOverlay::PlanOverlay(std::string installFolder, const Basic::CTime& now)
    : installFolder_(std::move(installFolder)), now_(now) {}

const PlannedFile* PlanOverlay::Find(const std::string& relativePath) const {
    auto found = paths_.find(PathKey(relativePath));
    return found == paths_.end() ? nullptr : &found->second;
}

FoundFile PlanOverlay::Look(const std::string& relativePath) const {
    FoundFile found;
    if (const PlannedFile* planned = Find(relativePath)) {
        found.exists = planned->kind != PlannedFile::Kind::Deleted;
        if (planned->kind == PlannedFile::Kind::Folder) found.attributes = Common::kDirectory;
        found.modified = planned->modified;
        found.size = planned->size;
        return found;
    }
    Common::FileStatus status;
    found.exists = Common::GetFileStatus(installFolder_ + relativePath, &status);
    found.attributes = status.attributes;
    found.modified = status.modified;
    found.size = status.size;
    return found;
}

// The folder holding the last component gains or loses an entry; a folder that did not exist
// is made, and so changes the folder above it in turn.
void PlanOverlay::TouchFoldersAbove(const std::vector<std::string>& components) {
    PlannedFile folder;
    folder.kind = PlannedFile::Kind::Folder;
    folder.modified = now_;
    for (std::size_t count = components.empty() ? 0 : components.size() - 1; count > 0; --count) {
        std::string path = Join(components, count);
        bool existed = Look(path).exists;
        paths_[PathKey(path)] = folder;
        if (existed) return;
    }
}

void PlanOverlay::SetDeleted(const std::string& relativePath) {
    PlannedFile deleted;
    deleted.kind = PlannedFile::Kind::Deleted;
    paths_[PathKey(relativePath)] = deleted;
    TouchFoldersAbove(PathComponents(relativePath));
}

void PlanOverlay::SetWritten(const std::string& relativePath, PlannedFile file) {
    std::vector<std::string> components = PathComponents(relativePath);
    TouchFoldersAbove(components);
    paths_[PathKey(relativePath)] = std::move(file);
}

}  // namespace Orvane
