#include "app/plan_overlay.h"

#include "common/ansi_path.h"
#include "common/file_status.h"

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

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        char c = text[at];
        if (c >= 'A' && c <= 'Z') folded[at] = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
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

std::string PathKey(const std::string& relativePath) {
    std::vector<std::string> components = PathComponents(relativePath);
    return FoldCase(Join(components, components.size()));
}

const PlannedFile* PlanOverlay::Find(const std::string& relativePath) const {
    auto found = paths_.find(PathKey(relativePath));
    return found == paths_.end() ? nullptr : &found->second;
}

FoundFile PlanOverlay::Look(const std::string& installFolder,
                            const std::string& relativePath) const {
    FoundFile found;
    if (const PlannedFile* planned = Find(relativePath)) {
        found.exists = planned->kind != PlannedFile::Kind::Deleted;
        if (planned->kind == PlannedFile::Kind::Folder) found.attributes = Common::kDirectory;
        found.modified = planned->modified;
        found.size = planned->size;
        return found;
    }
    Common::FileStatus status;
    found.exists = Common::GetFileStatus(installFolder + relativePath, &status);
    found.attributes = status.attributes;
    found.modified = status.modified;
    found.size = status.size;
    return found;
}

void PlanOverlay::SetDeleted(const std::string& relativePath) {
    PlannedFile deleted;
    deleted.kind = PlannedFile::Kind::Deleted;
    paths_[PathKey(relativePath)] = deleted;
}

void PlanOverlay::SetWritten(const std::string& relativePath, PlannedFile file) {
    std::vector<std::string> components = PathComponents(relativePath);
    PlannedFile folder;
    folder.kind = PlannedFile::Kind::Folder;
    for (std::size_t count = 1; count < components.size(); ++count) {
        paths_[FoldCase(Join(components, count))] = folder;
    }
    paths_[PathKey(relativePath)] = std::move(file);
}

}  // namespace Orvane
