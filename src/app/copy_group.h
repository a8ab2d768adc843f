// Copies of a run that follow one another, gathered so that the files they wrote reach the
// disk in one flush of their file system, as a sync after cp -r, instead of one flush per file.
//
//   if (group.Takes(params)) { group.Add(command, index, PrepareCopy(...)); }
//   ... Os::FlushFileSystemsOf(group.WrittenFiles()), then FinishCopy each of group.Take() ...
//
// A copy joins only while the group is small enough and does not already hold a copy to the
// same destination: a second copy there must see the first one's file, as it would one after
// the other. Where the platform has no such flush, no copy ever joins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "commands/copy_command.h"
#include "patch/command_params.h"

namespace Orvane {

struct PendingCopy {
    std::shared_ptr<ICmdParams> command;  // a CopyParams
    std::size_t index = 0;                // of its record
    PreparedCopy prepared;
};

class CopyGroup {
public:
    CopyGroup();

    // params.baseFolder is set.
    bool Takes(const CopyParams& params) const;
    void Add(std::shared_ptr<ICmdParams> command, std::size_t index, PreparedCopy prepared);
    bool Empty() const { return pending_.empty(); }
    // The temporary files written, to be flushed before any is swapped in.
    std::vector<std::string> WrittenFiles() const;
    // The copies in record order; the group is empty afterwards.
    std::vector<PendingCopy> Take();

private:
    bool enabled_;
    std::vector<PendingCopy> pending_;
    std::set<std::u16string> destinations_;  // folded as the platform compares names
    std::uint64_t bytes_ = 0;
};

}  // namespace Orvane
