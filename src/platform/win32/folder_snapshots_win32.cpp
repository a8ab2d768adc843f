// One listing per folder for a run that adds many files to it: see FolderSnapshots.
#include <map>
#include <optional>
#include <unordered_set>

#include "platform/os.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {
namespace {

// A folder's names, long and short (8.3), in the form the platform compares them in.
using Listing = std::unordered_set<std::u16string>;

// The listings of the snapshots that live, by folded folder path; none while none lives. A
// folder that could not be listed has no value: nothing is guessed there.
std::map<std::u16string, std::optional<Listing>>* listings = nullptr;

// Characters that make a name more than a name: a pattern for the search ('<', '>' and '"'
// are its DOS forms), and ':' before a stream's name.
constexpr char16_t kSpecialCharacters[] = u"*?<>\":";

// Whether the name reaches only the file of that very name: not empty, nothing special, and
// not ending in a dot or a space, which Windows drops from a name before it looks it up.
bool IsPlainName(const std::u16string& name) {
    return !name.empty() && name.find_first_of(kSpecialCharacters) == std::u16string::npos &&
           name.back() != u'.' && name.back() != u' ';
}

// Every entry of the folder; nothing when it cannot be read to its end. A folder that does not
// exist yet holds nothing.
std::optional<Listing> ReadListing(const std::string& folder) {
    Listing names;
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return names;
        return std::nullopt;
    }
    do {
        names.insert(FoldNameCase(entry.cFileName));
        if (entry.cAlternateFileName[0] != '\0') {
            names.insert(FoldNameCase(entry.cAlternateFileName));
        }
    } while (::FindNextFileA(search, &entry));
    bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(search);
    if (!complete) return std::nullopt;
    return names;
}

const std::optional<Listing>& ListingOf(const std::string& folder) {
    std::u16string key = FoldNameCase(folder);
    auto found = listings->find(key);
    if (found == listings->end()) found = listings->emplace(key, ReadListing(folder)).first;
    return found->second;
}

}  // namespace

FolderSnapshots::FolderSnapshots() : owns_(listings == nullptr) {
    if (owns_) listings = new std::map<std::u16string, std::optional<Listing>>();
}

FolderSnapshots::~FolderSnapshots() {
    if (!owns_) return;
    delete listings;
    listings = nullptr;
}

bool WasMissingFromSnapshot(const std::string& path) {
    if (listings == nullptr) return false;
    // Split as UTF-16: the second byte of a double-byte character may be a backslash.
    std::u16string wide = AnsiToWide(path);
    std::size_t separator = wide.find_last_of(u"\\/");
    if (separator == std::u16string::npos) return false;
    std::u16string name = wide.substr(separator + 1);
    if (!IsPlainName(name)) return false;
    const std::optional<Listing>& listing = ListingOf(WideToAnsi(wide.substr(0, separator)));
    return listing && !listing->contains(FoldNameCase(WideToAnsi(name)));
}

}  // namespace Orvane::Os
