// What the diff warns its author about the releases it was given, before it compares them: a
// new release that looks older than an old one (the releases given in the wrong order), a new
// release that equals an old one (the patch changes nothing there) and an old release given
// twice. Warnings never stop the diff.
#pragma once

#include <string>
#include <vector>

#include "author/diff_context.h"
#include "author/release_tree.h"

namespace Orvane::Author {

inline constexpr char kNewLooksOlder[] =
    "the new release looks older than this old one (were the releases given in the wrong "
    "order?)";
inline constexpr char kNewEqualsOld[] =
    "the new release equals this old one: the patch changes nothing there";
inline constexpr char kOldGivenTwice[] = "this old release is given twice";

// Each warning as its text, ": " and the old release's folder (code page 932). It digests what
// the diff would (options.progress sees it as the digesting stage; options.stop is polled
// between files); the digests stay with the releases, so the diff that follows does not read
// the files again.
std::vector<std::string> ReleaseWarnings(const std::vector<Release>& olds, const Release& newer,
                                         const DiffOptions& options);

}  // namespace Orvane::Author
