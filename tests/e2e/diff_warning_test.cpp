// What `orvpatch diff` warns of on stderr about the releases it is given, whatever it then
// does: the warnings never change its exit status. Off a terminal it shows no progress.
#include <string>
#include <vector>

#include "diff_fixture.h"

namespace Orvane::Test {
namespace {

using Tools::LinkArchive;

struct WarningCase {
    const char* what;
    std::function<void(const DiffTest&)> arrange;
    std::vector<std::string> olds;  // release folders before new/
    const char* warning;            // nullptr: stderr stays empty
    int exitCode;
};

void PrintTo(const WarningCase& c, std::ostream* out) { *out << c.what; }

class DiffWarning : public DiffTest, public testing::WithParamInterface<WarningCase> {};

void Change(const DiffTest& t, std::int64_t oldTime, std::int64_t newTime) {
    t.WriteFile("old", "readme.txt", "1.0", oldTime);
    t.WriteFile("new", "readme.txt", "1.1", newTime);
}

const WarningCase kCases[] = {
    {"files of the new release older than the old one's",
     [](const DiffTest& t) { Change(t, kNewTime, kOldTime); },
     {"old"},
     "warning: the new release looks older than this old one",
     1},
    {"an archive whose revision goes down",
     ArchiveChange("g.arc", LinkArchive{"LINK4", "ARC", 3, {Entry(u8"a", "1")}},
                   LinkArchive{"LINK4", "ARC", 2, {Entry(u8"a", "2")}}),
     {"old"},
     "warning: the new release looks older than this old one",
     1},
    {"a new release that equals the old one",
     [](const DiffTest& t) {
         t.WriteFile("old", "readme.txt", "1.0", kOldTime);
         t.WriteFile("new", "readme.txt", "1.0", kNewTime);
     },
     {"old"},
     "warning: the new release equals this old one: the patch changes nothing there",
     0},
    {"the same old release twice",
     [](const DiffTest& t) { Change(t, kOldTime, kNewTime); },
     {"old", "old"},
     "warning: this old release is given twice",
     0},
    {"releases in the right order", [](const DiffTest& t) { Change(t, kOldTime, kNewTime); },
     {"old"}, nullptr, 0},
};

TEST_P(DiffWarning, WarnsWithoutChangingTheOutcome) {
    const WarningCase& c = GetParam();
    c.arrange(*this);
    std::vector<std::string> arguments{"diff"};
    for (const std::string& old : c.olds) arguments.push_back(Path(old));
    for (const std::string& more : {Path("new"), std::string("-o"), PatchPath(),
                                    std::string("--title"), std::string("T"),
                                    std::string("--registry-key"), std::string("K"),
                                    std::string("--stub"), Path("stub.exe")}) {
        arguments.push_back(more);
    }

    ChildResult run = Run(arguments);

    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    if (c.warning == nullptr) {
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffWarning, testing::ValuesIn(kCases));

}  // namespace
}  // namespace Orvane::Test
