// The archive update command against real archives in a temporary installation folder, with
// payloads loaded from a real patch file.
#include "commands/archive_update.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/archive_builder.h"
#include "other_file_system.h"
#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/binary_writer.h"
#include "support/hooked_progress.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::Bytes;
using Test::Cp932;
using Test::EntryBytes;
using Test::EntryStamp;
using Test::FailureOf;
using Test::HookedProgress;
using Test::RecordingProgress;
using Test::TempFolder;
using Test::Utf16Le;
using Test::Utf8;
using Test::WritePatchFile;

const TimeStamp kModified{2023, 6, 7, 8, 9, 10};
const EntryStamp kModifiedFields{2023, 6, 7, 8, 9, 10};

// Payload indexes of the patch file every test loads.
enum Payload : std::uint16_t { kX, kC, kKanji, kEmpty };

std::vector<PayloadDescription> Payloads() {
    return {
        {7, "x.bmp", {2020, 1, 2, 3, 4, 5}, kModified, {0x10, 0x11}},
        {8, "c", {2020, 1, 2, 3, 4, 5}, kModified, {0x20}},
        {9, Cp932(u8"表ソ.bmp"), {2020, 1, 2, 3, 4, 5}, kModified, {0x30, 0x31, 0x32}},
        {1, "d.bmp", {2020, 1, 2, 3, 4, 5}, kModified, {}},
    };
}

// The entry an added payload becomes; `name` is given as the layout stores it.
EntryBytes Added(Payload payload, const std::string& storedName) {
    const PayloadDescription description = Payloads()[payload];
    return {.name = storedName, .data = description.data, .kind = description.kind,
            .stamp = kModifiedFields};
}

ArchiverParams Params(const std::string& path, std::uint16_t revision,
                      const std::vector<ArchiverParams::revome>& removals = {},
                      const std::vector<std::uint16_t>& additions = {}) {
    ArchiverParams params;
    params.relativePath = path;
    params.revision = revision;
    for (const auto& removal : removals) {
        params.removals.push_back(std::make_shared<ArchiverParams::revome>(removal));
    }
    for (std::uint16_t index : additions) {
        params.additions.push_back(
            std::make_shared<ArchiverParams::add>(ArchiverParams::add{0, index}));
    }
    return params;
}

std::vector<std::int32_t> DoneFlags(const ArchiverParams& params) {
    std::vector<std::int32_t> done;
    for (const auto& removal : params.removals) done.push_back(removal->done);
    return done;
}

class ArchiveUpdateTest : public testing::Test {
protected:
    void SetUp() override {
        ContainerDescription description;
        description.title = "t";
        description.registryKey = "k";
        description.payloads = Payloads();
        script_ = WritePatchFile(patchFolder_, description).Load();
        ASSERT_TRUE(script_->Stream());
    }

    void Update(ArchiverParams& params) { Update(progress, install, params); }
    void Update(ProgressSink& sink, const TempFolder& folder, ArchiverParams& params) {
        UpdateArchive(sink, folder.Path(), *script_, params);
    }
    std::string FailureOfUpdate(ArchiverParams& params) {
        return FailureOf([&] { Update(params); });
    }
    std::string FailureOfUpdate(ProgressSink& sink, ArchiverParams& params) {
        return FailureOf([&] { Update(sink, install, params); });
    }

    TempFolder install;
    HookedProgress progress;

private:
    TempFolder patchFolder_;
    std::shared_ptr<CPatchScript> script_;
};

// Each case runs twice, as a patch applied again: the second run leaves the archive alone,
// except a "LINK3" archive, which records no revision and is rebuilt the same way again.
TEST_F(ArchiveUpdateTest, RewritesTheArchiveWithRemovalsAndAdditions) {
    const std::string kanji = Cp932(u8"表ソ.bmp");
    struct Case {
        const char* label;
        Bytes before;
        std::string path;
        std::uint16_t target;
        std::vector<ArchiverParams::revome> removals;
        std::vector<std::uint16_t> additions;
        Bytes after;
        std::vector<std::int32_t> done;
    };
    const std::vector<Case> cases = {
        {"LINK5: a record below the archive's revision is skipped, each record removes one "
         "entry, additions follow every kept entry, an equal name is not replaced",
         ArchiveBytes::Narrow("LINK5", "abc", 1)
             .Entry({.name = "a", .data = {1}})
             .Entry({.name = "b", .data = {2}})
             .Entry({.name = "c", .data = {3}, .kind = 3})
             .Entry({.name = "b", .data = {4}})
             .Entry({.name = "e", .data = {5}, .stamp = {2001, 2, 3, 4, 5, 6}})
             .End()
             .Get(),
         "data.arc", 2, {{0, "a"}, {1, "b"}, {2, "b"}, {1, "zz"}}, {kX, kC, kKanji},
         ArchiveBytes::Narrow("LINK5", "abc", 2)
             .Entry({.name = "a", .data = {1}})
             .Entry({.name = "c", .data = {3}, .kind = 3})
             .Entry({.name = "e", .data = {5}, .stamp = {2001, 2, 3, 4, 5, 6}})
             .Entry(Added(kX, "x.bmp"))
             .Entry(Added(kC, "c"))
             .Entry(Added(kKanji, kanji))
             .End()
             .Get(),
         {0, 1, 1, 0}},
        {"LINK4: two records for a name held once; names compare case-sensitively",
         ArchiveBytes::Narrow("LINK4", "abc", 0)
             .Entry({.name = "a", .data = {1}})
             .Entry({.name = "b", .data = {2}})
             .End()
             .Get(),
         "data.arc", 1, {{0, "b"}, {0, "b"}, {0, "A"}}, {},
         ArchiveBytes::Narrow("LINK4", "abc", 1).Entry({.name = "a", .data = {1}}).End().Get(),
         {1, 0, 0}},
        {"LINK4 with empty lists: only the revision and the reserved bytes change",
         ArchiveBytes::Narrow("LINK4", std::string("\0\1\2", 3), 3)
             .Entry({.name = "a", .data = {1}, .reserved = 0xFFFF})
             .Entry({.name = kanji, .data = {}, .reserved = 0x0100})
             .End()
             .Get(),
         "data.arc", 4, {}, {},
         ArchiveBytes::Narrow("LINK4", std::string("\0\1\2", 3), 4)
             .Entry({.name = "a", .data = {1}})
             .Entry({.name = kanji, .data = {}})
             .End()
             .Get(),
         {}},
        {"LINK6: names are matched as narrow text and added with UTF-16 names",
         ArchiveBytes::Link6(1, "cg")
             .Entry({.name = Utf16Le(u"表ソ.bmp"), .data = {1}})
             .Entry({.name = Utf16Le(u"keep.bmp"), .data = {2, 2}})
             .End()
             .Get(),
         "data.arc", 9, {{1, kanji}}, {kKanji, kEmpty},
         ArchiveBytes::Link6(9, "cg")
             .Entry({.name = Utf16Le(u"keep.bmp"), .data = {2, 2}})
             .Entry(Added(kKanji, Utf16Le(u"表ソ.bmp")))
             .Entry(Added(kEmpty, Utf16Le(u"d.bmp")))
             .End()
             .Get(),
         {1}},
        {"LINK6: a kept name outside code page 932 keeps its bytes; removals match its 932 form",
         ArchiveBytes::Link6(1, "")
             .Entry({.name = Utf16Le(u"\uD55C.bmp"), .data = {1}})
             .Entry({.name = Utf16Le(u"\uAE00.bmp"), .data = {2}})
             .End()
             .Get(),
         "data.arc", 2, {{1, "?.bmp"}}, {kX},
         ArchiveBytes::Link6(2, "")
             .Entry({.name = Utf16Le(u"\uAE00.bmp"), .data = {2}})
             .Entry(Added(kX, Utf16Le(u"x.bmp")))
             .End()
             .Get(),
         {1}},
        {"LINK3 in a subfolder reads as revision 0: a record of revision 0 applies",
         ArchiveBytes::Narrow("LINK3", "abc")
             .Entry({.name = "a", .data = {1}})
             .Entry({.name = "x.bmp", .data = {9}})
             .End()
             .Get(),
         "sub\\data.arc", 1, {{0, "x.bmp"}}, {kX},
         ArchiveBytes::Narrow("LINK3", "abc")
             .Entry({.name = "a", .data = {1}})
             .Entry(Added(kX, "x.bmp"))
             .End()
             .Get(),
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        const bool inSub = c.path != "data.arc";
        const std::string path = inSub ? "sub/data.arc" : "data.arc";
        folder.WriteFile(path, c.before);
        for (int run = 1; run <= 2; ++run) {
            SCOPED_TRACE(run);
            ArchiverParams params = Params(c.path, c.target, c.removals, c.additions);
            Update(progress, folder, params);
            EXPECT_EQ(folder.ReadFile(path), c.after);
            const bool rebuilt = run == 1 || c.before[4] == '3';
            EXPECT_EQ(DoneFlags(params),
                      rebuilt ? c.done : std::vector<std::int32_t>(c.removals.size(), 0));
            EXPECT_EQ(folder.List(), std::vector<std::string>{inSub ? "sub" : "data.arc"})
                << "no temporary file may remain";
        }
    }
}

TEST_F(ArchiveUpdateTest, ArchiveAtOrAboveTheTargetIsLeftAlone) {
    struct Case {
        const char* label;
        Bytes archive;
        std::uint16_t target;
    };
    const std::vector<Case> cases = {
        {"LINK5 at the target", ArchiveBytes::Narrow("LINK5", "abc", 2).End().Get(), 2},
        {"LINK6 above the target", ArchiveBytes::Link6(5, "").End().Get(), 2},
        {"LINK3 with target 0", ArchiveBytes::Narrow("LINK3", "abc").End().Get(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HookedProgress fresh;
        install.WriteFile("data.arc", c.archive);
        ArchiverParams params = Params("data.arc", c.target, {{9, "a"}}, {kX});
        Update(fresh, install, params);
        EXPECT_EQ(install.ReadFile("data.arc"), c.archive);
        EXPECT_EQ(install.List(), std::vector<std::string>{"data.arc"});
        EXPECT_EQ(fresh.texts, std::vector<std::string>{Cp932(u8"『 data.arc 』を更新中...")});
        EXPECT_TRUE(fresh.positions.empty()) << "the bar stays at 0";
        EXPECT_EQ(DoneFlags(params), std::vector<std::int32_t>{0});
    }
}

TEST_F(ArchiveUpdateTest, ProgressRunsOverTheEntriesThenTheAdditions) {
    // Header 10 + entry 16 + 1 + 2 = 29 of 33 bytes read after the kept entry: 87 %.
    const Bytes archive =
        ArchiveBytes::Narrow("LINK5", "abc", 1).Entry({.name = "k", .data = {1, 2}}).End().Get();
    const std::string updating = Cp932(u8"『 data.arc 』を更新中...");
    const std::string replacing = Cp932(u8"『 data.arc 』ファイルをコピー中...");
    struct Case {
        std::vector<std::uint16_t> additions;
        std::vector<std::string> shown;  // texts and positions in the order shown
    };
    const std::vector<Case> cases = {
        {{kX, kC, kKanji, kEmpty}, {updating, "87", "0", "25", "50", "75", replacing, "100"}},
        // The bar is reset for the additions even when there are none.
        {{}, {updating, "87", "0", replacing, "100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.additions.size());
        install.WriteFile("data.arc", archive);
        HookedProgress fresh;
        std::vector<std::string> shown;
        fresh.onText = [&](const std::string& text) { shown.push_back(text); };
        fresh.onPos = [&](std::int32_t position) { shown.push_back(std::to_string(position)); };
        ArchiverParams params = Params("data.arc", 2, {}, c.additions);
        Update(fresh, install, params);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(fresh.ranges, (std::vector<RecordingProgress::Range>{{0, 100}}));
    }
}

TEST_F(ArchiveUpdateTest, CancelLeavesTheArchiveAsItWas) {
    const Bytes archive = ArchiveBytes::Narrow("LINK5", "abc", 1)
                              .Entry({.name = "a", .data = {1}})
                              .Entry({.name = "b", .data = {2}})
                              .Entry({.name = "c", .data = {3}})
                              .End()
                              .Get();
    // In each case only one checkpoint can see the request: the entries' loop when no additions
    // follow, the additions' loop when the request comes as the bar is reset after the entries.
    struct Case {
        const char* label;
        std::function<bool(std::int32_t)> cancelAt;  // on the position shown
        std::vector<std::uint16_t> additions;
    };
    const std::vector<Case> cases = {
        {"while entries are copied", [](std::int32_t position) { return position > 0; }, {}},
        {"while payloads are added", [](std::int32_t position) { return position == 0; },
         {kX, kC}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        install.WriteFile("data.arc", archive);
        HookedProgress cancelling;
        bool requested = false;
        cancelling.onPos = [&](std::int32_t position) {
            if (!requested && c.cancelAt(position)) {
                requested = true;
                cancelling.RequestCancel();
            }
        };
        ArchiverParams params = Params("data.arc", 2, {{1, "b"}}, c.additions);
        std::string failure = FailureOfUpdate(cancelling, params);
        EXPECT_TRUE(requested);
        EXPECT_EQ(failure, kCancelled);
        EXPECT_EQ(failure, Cp932(u8"キャンセルボタンが押されたので終了します！"));
        EXPECT_EQ(install.ReadFile("data.arc"), archive);
        EXPECT_EQ(install.List(), std::vector<std::string>{"data.arc"});
    }
}

TEST_F(ArchiveUpdateTest, FailuresBeforeTheSwapLeaveTheArchiveAndNoTemporaryFile) {
    struct Case {
        const char* label;
        Bytes archive;  // empty: no archive
        ArchiverParams params;
        std::string failure;
    };
    const Bytes cutData = ArchiveBytes::Narrow("LINK5", "abc", 1)
                              .Entry({.name = "a", .data = {1, 2, 3}, .recordLength = 16 + 1 + 9})
                              .Get();
    const std::vector<Case> cases = {
        {"no archive", {}, Params("data.arc", 2), Cp932(u8"ARCファイルのOpenに失敗しました！")},
        {"header cut short", Bytes{'L', 'I', 'N', 'K', '5', 'a', 'b', 'c', 1},
         Params("data.arc", 2), Cp932(u8"ヘッダの読み込みに失敗")},
        {"payload index past the table",
         ArchiveBytes::Narrow("LINK5", "abc", 1).End().Get(), Params("data.arc", 2, {}, {kX, 4}),
         Cp932(u8"更新ファイルが無い！")},
        {"kept entry's data cut short", cutData, Params("data.arc", 2),
         Cp932(u8"ファイルの読み込みに失敗！")},
        {"record length far beyond the file is not allocated",
         ArchiveBytes::Narrow("LINK5", "abc", 1)
             .Entry({.name = "a", .data = {1}, .recordLength = 0xFFFFFFF0})
             .End()
             .Get(),
         Params("data.arc", 2), kEntryReadFailed},
        {"removed entry's data cut short: the walk runs off the end", cutData,
         Params("data.arc", 2, {{1, "a"}}), "<plain>"},
        {"no end marker", ArchiveBytes::Narrow("LINK5", "abc", 1).Entry({.name = "a"}).Get(),
         Params("data.arc", 2), "<plain>"},
        {"record length below its header",
         ArchiveBytes::Narrow("LINK5", "abc", 1)
             .Entry({.name = "a", .data = {1}, .recordLength = 3})
             .End()
             .Get(),
         Params("data.arc", 2), "<plain>"},
        {"unknown magic cannot be written", ArchiveBytes::Narrow("LINK2", "abc").End().Get(),
         Params("data.arc", 1), "<plain>"},
        {"kept entry with an empty name cannot be written",
         ArchiveBytes::Narrow("LINK5", "abc", 1).Entry({.name = "", .data = {1}}).End().Get(),
         Params("data.arc", 2), Common::kWriteVectorFailed},
        {"path climbing out of the installation folder",
         ArchiveBytes::Narrow("LINK5", "abc", 1).End().Get(), Params("..\\data.arc", 2),
         Cp932(u8"不正なパスが指定されています！")},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.label);
        if (!c.archive.empty()) install.WriteFile("data.arc", c.archive);
        EXPECT_EQ(Utf8(FailureOfUpdate(c.params)), Utf8(c.failure));
        if (c.archive.empty()) {
            EXPECT_TRUE(install.List().empty());
        } else {
            EXPECT_EQ(install.ReadFile("data.arc"), c.archive);
            EXPECT_EQ(install.List(), std::vector<std::string>{"data.arc"});
            Os::DeleteFile(install / "data.arc");
        }
    }
}

// The finished archive is swapped in with one replace. A read-only archive is refused before
// anything is written, one made read-only meanwhile at the swap without retries; a target that cannot be replaced for a while (here a folder put in its place, which neither
// platform replaces by a file) is retried with messages pumped until it is free, Cancel is
// pressed or the attempts run out.
TEST_F(ArchiveUpdateTest, SwapFailsAtOnceWhenReadOnlyAndRetriesABlockedTarget) {
    namespace fs = std::filesystem;
    const Bytes before =
        ArchiveBytes::Narrow("LINK5", "abc", 1).Entry({.name = "a", .data = {1}}).End().Get();
    const fs::path target(install / "data.arc");
    enum Obstacle { kReadOnly, kMadeReadOnly, kBlockedThenFreed, kBlockedThenCancel,
                    kBlockedForGood };
    struct Case {
        const char* label;
        Obstacle obstacle;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"read-only archive", kReadOnly, Cp932(u8"ARCファイルの更新に失敗しました！")},
        {"made read-only during the rebuild", kMadeReadOnly, kArchiveReplaceFailed},
        {"blocked, then free", kBlockedThenFreed, ""},
        {"blocked, then Cancel", kBlockedThenCancel, kCancelled},
        {"blocked for good", kBlockedForGood, kArchiveReplaceFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        install.WriteFile("data.arc", before);
        if (c.obstacle == kReadOnly) install.MakeReadOnly("data.arc", true);
        HookedProgress display;
        int pumpsSinceSwap = -1;
        display.onText = [&](const std::string& text) {
            if (text != FormatWithName(kReplacingFormat, "data.arc")) return;
            pumpsSinceSwap = 0;
            if (c.obstacle == kMadeReadOnly) install.MakeReadOnly("data.arc", true);
            if (c.obstacle == kMadeReadOnly) return;
            fs::remove(target);
            fs::create_directory(target);
        };
        display.onPump = [&] {
            // The text's and position 100's own pumps come first, then one per failed attempt.
            if (pumpsSinceSwap < 0 || ++pumpsSinceSwap != 5) return;
            if (c.obstacle == kBlockedThenFreed) fs::remove(target);
            if (c.obstacle == kBlockedThenCancel) display.RequestCancel();
        };
        ArchiverParams params = Params("data.arc", 2, {}, {kX});
        EXPECT_EQ(FailureOfUpdate(display, params), c.failure);
        switch (c.obstacle) {
            case kReadOnly:
                EXPECT_EQ(pumpsSinceSwap, -1) << "refused before the rebuild";
                EXPECT_EQ(install.ReadFile("data.arc"), before);
                install.MakeReadOnly("data.arc", false);
                break;
            case kMadeReadOnly:
                EXPECT_EQ(pumpsSinceSwap, 2) << "no retries";
                EXPECT_EQ(install.ReadFile("data.arc"), before);
                install.MakeReadOnly("data.arc", false);
                break;
            case kBlockedThenFreed:
                EXPECT_EQ(pumpsSinceSwap, 5);
                EXPECT_EQ(install.ReadFile("data.arc"), ArchiveBytes::Narrow("LINK5", "abc", 2)
                                                            .Entry({.name = "a", .data = {1}})
                                                            .Entry(Added(kX, "x.bmp"))
                                                            .End()
                                                            .Get());
                break;
            case kBlockedThenCancel:
                EXPECT_EQ(pumpsSinceSwap, 5);
                break;
            case kBlockedForGood:
                EXPECT_GT(pumpsSinceSwap, 5) << "bounded, but retried";
                break;
        }
        if (fs::is_directory(target)) fs::remove(target);
        EXPECT_EQ(install.List().size(), fs::exists(target) ? 1u : 0u)
            << "no temporary file may remain";
    }
}

// The new archive is written in the archive's own folder, not the installation folder, so
// that the swap is one rename on the archive's file system, also where that folder is a link
// to another disk (where a rename from the installation folder can never succeed).
TEST_F(ArchiveUpdateTest, TemporaryArchiveLiesInTheArchivesOwnFolder) {
    const Bytes before =
        ArchiveBytes::Narrow("LINK5", "abc", 1).Entry({.name = "a", .data = {1}}).End().Get();
    const Bytes after = ArchiveBytes::Narrow("LINK5", "abc", 2)
                            .Entry({.name = "a", .data = {1}})
                            .Entry(Added(kX, "x.bmp"))
                            .End()
                            .Get();
    Orvane::Test::ForPlainAndLinkedFolder("data", [&](const TempFolder& folder) {
        folder.WriteFile("data/big.arc", before);
        HookedProgress display;
        std::vector<std::string> inArchiveFolder, inInstallFolder;
        display.onText = [&](const std::string& text) {
            if (text != FormatWithName(kReplacingFormat, "data\\big.arc")) return;
            inArchiveFolder = folder.List("data");
            inInstallFolder = folder.List();
        };
        ArchiverParams params = Params("data\\big.arc", 2, {}, {kX});
        EXPECT_EQ(FailureOf([&] { Update(display, folder, params); }), "");
        EXPECT_EQ(folder.ReadFile("data/big.arc"), after);
        ASSERT_EQ(inArchiveFolder.size(), 2u) << "the temporary archive beside the archive";
        EXPECT_TRUE(inArchiveFolder[1].starts_with("tmp")) << inArchiveFolder[1];
        EXPECT_EQ(inInstallFolder, std::vector<std::string>{"data"});
        EXPECT_EQ(folder.List("data"), std::vector<std::string>{"big.arc"});
    });
}

TEST(ArchiveUpdateTexts, TextsNoTestCanProvoke) {
    // The installation folder was just read from, so a temporary file can be made there.
    EXPECT_EQ(kTempNameFailed, Cp932(u8"テンポラリファイル名の作成に失敗！"));
    EXPECT_EQ(kTempCreateFailed, Cp932(u8"テンポラリファイルのCreateに失敗しました！"));
}

#ifdef _WIN32
// Only Windows has sharing modes that keep another opener out; POSIX locks are advisory.
TEST_F(ArchiveUpdateTest, ArchiveHeldOpenElsewhereIsNotOpened) {
    const Bytes archive = ArchiveBytes::Narrow("LINK5", "abc", 1).End().Get();
    install.WriteFile("data.arc", archive);
    Common::FileStream holder(install / "data.arc", Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::None);
    ASSERT_TRUE(holder.CanRead());
    ArchiverParams params = Params("data.arc", 2, {}, {kX});
    EXPECT_EQ(FailureOfUpdate(params), kArchiveOpenFailed);
    holder.Close();
    EXPECT_EQ(install.ReadFile("data.arc"), archive);
    EXPECT_EQ(install.List(), std::vector<std::string>{"data.arc"});
}
#endif

}  // namespace
}  // namespace Orvane
