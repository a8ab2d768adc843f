// The quick bound lets a run skip its plan when the disk clearly has room, so it must never
// be below what the plan finds the run needs.
#include "app/space_bound.h"

#include <gtest/gtest.h>

#include "support/archive_builder.h"
#include "app/run_plan.h"
#include "app/plan_space.h"
#include "support/temp_folder.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::PatchFile;
using Test::TempFolder;
using Test::WritePatchFile;

PayloadDescription Payload(const std::string& name, std::size_t size) {
    return {1, name, {2020, 1, 1}, {2024, 1, 1}, std::vector<std::uint8_t>(size, 'p')};
}

TEST(SpaceBound, IsNeverBelowThePlannedNeed) {
    std::vector<std::uint8_t> archive =
        ArchiveBytes::Narrow("LINK4", "ARC", 1).Entry({"a.bmp"}).End().Get();
    ArchiveRecord update{"data.arc", 2, {{1, "a.bmp"}}, {{0, 0}, {0, 0}}};
    struct Case {
        const char* label;
        std::vector<ScriptRecord> records;
        bool installed;  // the archive is there before the run
    } cases[] = {
        {"an installed archive grows by two payloads", {update}, true},
        {"an archive copied in, then rebuilt", {CopyRecord{"", 1}, update}, false},
        {"a delete before a copy, an archive rebuilt twice",
         {DeleteRecord{"old.dat"}, CopyRecord{"", 0}, update, ArchiveRecord{"data.arc", 3, {}, {{0, 0}}}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder patchFolder, game;
        game.WriteFile("old.dat", std::string(3000, 'o'));
        if (c.installed) game.WriteFile("data.arc", std::string(archive.begin(), archive.end()));
        ContainerDescription description{1, "t", 0, "Software\\Game", c.records,
                                         {Payload("big.dat", 5000), Payload("data.arc", 0)}};
        description.payloads[1].data = archive;
        PatchFile patch = WritePatchFile(patchFolder, description);
        RunInputs inputs{game.Path(), patch.path, patch.scriptOffset, patch.version};
        RunPlan plan = PlanRun(inputs);
        ASSERT_TRUE(plan.Completes()) << plan.failure;
        std::optional<std::uint64_t> bound = SpaceBound(inputs);
        ASSERT_TRUE(bound);
        EXPECT_GE(*bound, MeasurePlanSpace(plan, inputs.folder).needed);
    }
}

}  // namespace
}  // namespace Orvane
