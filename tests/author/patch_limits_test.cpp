// The container's limits are found from the plan alone: the sources below name files that do
// not exist, so a refusal that came after reading a payload byte would fail differently.
#include <gtest/gtest.h>

#include <string>

#include "author/patch_description.h"
#include "author/patch_limits.h"
#include "common/failure.h"
#include "patch/container_encoding.h"
#include "patch/container_writer.h"

namespace Orvane::Test {
namespace {

struct Payloads {
    std::string where;  // a copy's folder, or an archive's path when `archive`
    bool archive = false;
    std::size_t count = 0;
    std::uint32_t size = 0;
};

struct LimitCase {
    const char* what;
    std::vector<Payloads> payloads;
    std::vector<std::string> expectedParts;  // in the refusal's text; none: it fits
};

void PrintTo(const LimitCase& c, std::ostream* out) { *out << c.what; }

Author::PatchPlan Plan(const std::vector<Payloads>& groups) {
    Author::PatchPlan plan;
    for (const Payloads& group : groups) {
        ArchiveRecord archive{group.where, 2, {}, {}};
        for (std::size_t i = 0; i < group.count; ++i) {
            auto index = static_cast<std::uint16_t>(plan.payloads.size());
            plan.payloads.push_back({0, "f" + std::to_string(i), {}, {}, {}});
            plan.sources.push_back({"/nonexistent/release/file", 0, group.size, {}});
            if (group.archive) {
                archive.additions.push_back({0, index});
            } else {
                plan.records.push_back(CopyRecord{group.where, index});
            }
        }
        if (group.archive) plan.records.push_back(archive);
    }
    return plan;
}

const LimitCase kCases[] = {
    {"many payloads, most of them from one folder",
     {{"voice\\", false, 40000, 1}, {"se\\", false, 25536, 1}},
     {kTooManyEntries, "65536 payloads", "the most from voice\\ (40000 payloads, 40000 bytes), "
                                         "se\\ (25536 payloads, 25536 bytes)"}},
    {"past 4 GiB, most of it from one archive",
     {{"data\\movie.arc", true, 2, 0xF0000000u}, {"", false, 1, 1000}},
     {kContainerTooLarge, "bytes in all", "the most from data\\movie.arc (2 payloads, " +
                                              std::to_string(2ull * 0xF0000000u) + " bytes)",
      "(the installation folder) (1 payloads, 1000 bytes)"}},
    {"just under both limits", {{"a\\", false, 65535, 60000}}, {}},
};

class ContainerRoom : public testing::TestWithParam<LimitCase> {};

TEST_P(ContainerRoom, IsRefusedWithTheTotalsAndTheLargestContributors) {
    Author::PatchPlan plan = Plan(GetParam().payloads);
    ContainerDescription description = Author::DescribePatch(plan, "t", "k");
    std::string text;
    try {
        Author::RequireContainerRoom(description, plan, 1024);
    } catch (const MessageFailure& failure) {
        text = failure.Text();
    }
    if (GetParam().expectedParts.empty()) EXPECT_EQ(text, "");
    for (const std::string& part : GetParam().expectedParts) {
        EXPECT_NE(text.find(part), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ContainerRoom, testing::ValuesIn(kCases));

}  // namespace
}  // namespace Orvane::Test
