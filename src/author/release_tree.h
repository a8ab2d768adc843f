// One release of a game's installation folder as the diff sees it: every file and folder below
// the release's root, named in code page 932 and keyed without regard to case (path_key.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "author/digest.h"
#include "author/refusal.h"
#include "platform/os.h"

namespace Orvane::Author {

inline constexpr char kReleaseNotFolder[] = "not a folder";
inline constexpr char kNameOutsideCp932[] = "a name outside code page 932";
inline constexpr char kNamesDifferInCase[] = "two names that differ only in case";
inline constexpr char kNotFileOrFolder[] = "neither a file nor a folder";

struct ReleaseItem {
    std::string path;  // code page 932, folders separated by '\', spelt as in the release
    // Where the file lies, as the system spells it: a string, as a path object would cost
    // several allocations for each file of a release of tens of thousands.
    std::filesystem::path::string_type host;
    bool isFolder = false;
    std::uint64_t size = 0;
    Os::FileTime modified = 0;  // last write, whole seconds
    // Whether Windows can hold every name on the way, this one's included. Kept apart from
    // path, which cannot show it: a name holding a backslash reads there as two.
    bool windowsNames = true;
};

class Release {
public:
    // Reads the names, sizes and times below root (contents are read only when compared).
    // Raises a Refusal naming every such path for a name that code page 932 cannot hold, two
    // names of one folder that differ only in case (the patch program could not tell them
    // apart), or anything that is neither a file nor a folder (a link to a folder included).
    static Release Scan(const std::filesystem::path& root);

    const std::filesystem::path& Root() const { return root_; }
    const std::map<std::u16string, ReleaseItem>& Items() const { return items_; }
    const ReleaseItem* Find(const std::u16string& key) const;
    // The size of every file together.
    std::uint64_t FileBytes() const;
    // The digest of a file's contents, read on first use.
    const Digest& DigestOf(const ReleaseItem& file) const;
    bool HasDigestOf(const ReleaseItem& file) const;

private:
    void ScanFolder(const std::filesystem::path& folder, const ReleaseItem* parent,
                    RefusalList& refusals);
    void Add(const std::filesystem::directory_entry& entry, const ReleaseItem* parent,
             RefusalList& refusals);

    std::filesystem::path root_;
    std::map<std::u16string, ReleaseItem> items_;
    mutable std::map<std::u16string, Digest> digests_;
};

// Whether two files of two releases hold the same bytes.
bool SameContents(const Release& a, const ReleaseItem& fileA, const Release& b,
                  const ReleaseItem& fileB);

}  // namespace Orvane::Author
