#include "support/folder_state.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::int64_t ModifiedSeconds(const fs::path& path) {
    auto system = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

std::vector<std::uint8_t> Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void PrintTo(const EntryState& entry, std::ostream* out) {
    if (entry.isFolder) {
        *out << "folder";
        return;
    }
    *out << entry.bytes.size() << " bytes modified " << entry.modified << " \"";
    for (std::uint8_t byte : entry.bytes) {
        if (byte >= 0x20 && byte < 0x7F) *out << static_cast<char>(byte);
        else *out << '.';
    }
    *out << '"';
}

FolderState ReadFolderState(const std::string& folder) {
    fs::path root(std::u8string(folder.begin(), folder.end()));
    FolderState state;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        EntryState entryState;
        entryState.isFolder = entry.is_directory();
        // A folder's own time changes with every temporary file made and removed in it.
        if (!entryState.isFolder) {
            entryState.modified = ModifiedSeconds(entry.path());
            entryState.bytes = Contents(entry.path());
        }
        state[Utf8(entry.path().lexically_relative(root))] = std::move(entryState);
    }
    return state;
}

std::vector<std::string> TemporaryFiles(const FolderState& state) {
    std::vector<std::string> found;
    for (const auto& [path, entry] : state) {
        std::string name = path.substr(path.rfind('/') + 1);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.starts_with("tmp") && name.ends_with(".tmp")) found.push_back(path);
    }
    return found;
}

}  // namespace Orvane::Test
