// The copy command installing payloads into a temporary installation folder.
#include "commands/copy_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/ctime.h"
#include "common/file_status.h"
#include "common/file_stream.h"
#include "support/hooked_progress.h"
#include "other_file_system.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;
using Test::FailureOf;
using Test::HookedProgress;
using Test::RecordingProgress;
using Test::TempFolder;

using Basic::CTime;

using Bytes = std::vector<std::uint8_t>;

const CTime kCreated(2020, 1, 2, 3, 4, 5);
const CTime kModified(2023, 6, 7, 8, 9, 10);

CopyParams Params(const std::string& relativePath, const std::string& name,
                  Bytes data = {1, 2, 3}) {
    auto payload = std::make_shared<PicFile>();
    payload->kind = 1;
    payload->name = name;
    payload->created = std::make_shared<CTime>(kCreated);
    payload->modified = std::make_shared<CTime>(kModified);
    payload->data = std::move(data);
    CopyParams params;
    params.relativePath = relativePath;
    params.file = payload;
    return params;
}

Common::FileStatus StatusOf(const std::string& path) {
    Common::FileStatus status;
    EXPECT_TRUE(Common::GetFileStatus(path, &status)) << path;
    return status;
}

// Gives an installed file a last-write time, optionally with a fraction of a second.
void SetModified(const std::string& path, std::int64_t seconds, std::uint64_t extra100ns = 0) {
    Os::FileTime time = 0;
    Basic::ToFileTime(kModified, &time);
    time = static_cast<Os::FileTime>(static_cast<std::int64_t>(time) + seconds * 10000000) +
           extra100ns;
    Common::FileStream file(path, Common::OpenExisting, Common::FileAccess::Write,
                            Common::FileShare::Read);
    ASSERT_TRUE(file.CanWrite());
    ASSERT_TRUE(Os::SetFileTime(file.NativeHandle(), nullptr, nullptr, &time));
}

TEST(CmdCopy, InstallsThePayloadWithItsTimes) {
    struct Case {
        const char* label;
        std::string relativePath;  // as the script gives it
        std::string folder;        // the same, for the test's file helpers
        Bytes data;
    };
    const std::string kanjiFolder = Cp932(u8"表");  // its trail byte is 0x5C
    const std::vector<Case> cases = {
        {"into the installation folder", "", "", {1, 2, 3}},
        {"into folders that do not exist yet", "a\\b\\", "a/b/", {4}},
        {"into a folder whose name ends in a 0x5C trail byte", kanjiFolder + "\\",
         kanjiFolder + "/", {5, 6}},
        {"an empty payload", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder install;
        HookedProgress progress;
        progress.Dirty();
        CErrorMessages errors;
        CopyParams params = Params(c.relativePath, "a.bin", c.data);
        CmdCopy(progress, install.Path(), params, errors);

        EXPECT_EQ(install.ReadFile(c.folder + "a.bin"), c.data);
        Common::FileStatus status = StatusOf(install / (c.folder + "a.bin"));
        // The creation time is not checked: neither Linux nor Wine on it keeps one.
        EXPECT_EQ(status.modified, kModified);
        EXPECT_EQ(install.List(c.folder), std::vector<std::string>{"a.bin"})
            << "no temporary file may remain";
        EXPECT_EQ(progress.positions, (std::vector<std::int32_t>{0, 1, 2}));
        EXPECT_EQ(progress.ranges, (std::vector<RecordingProgress::Range>{{0, 2}}));
        EXPECT_EQ(progress.texts, std::vector<std::string>{Cp932(u8"『 a.bin 』をコピー中...")});
        EXPECT_EQ(errors.Text(), "a.bin");
    }
}

TEST(CmdCopy, ReplacesOnlyAnInstalledFileThatIsOlderToTheSecond) {
    struct Case {
        const char* label;
        std::int64_t seconds;  // installed last-write time relative to the payload's
        std::uint64_t extra100ns;
        bool replaced;
    };
    const std::vector<Case> cases = {
        {"one second older", -1, 0, true},
        {"the same second", 0, 0, false},
        {"the same second and a fraction", 0, 9999999, false},
        {"newer, contents differing", 3600, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder install;
        const std::string installed = "installed";
        install.WriteFile("a.bin", installed);
        SetModified(install / "a.bin", c.seconds, c.extra100ns);
        const Common::FileStatus before = StatusOf(install / "a.bin");

        HookedProgress progress;
        std::vector<std::string> filesBeforePlacing, filesAtEnd;
        progress.onPos = [&](std::int32_t position) {
            if (position == 1) filesBeforePlacing = install.List();
            if (position == 2) filesAtEnd = install.List();
        };
        CErrorMessages errors;
        CopyParams params = Params("", "a.bin");
        CmdCopy(progress, install.Path(), params, errors);

        EXPECT_EQ(progress.positions.back(), 2);
        EXPECT_EQ(install.List(), std::vector<std::string>{"a.bin"});
        if (c.replaced) {
            EXPECT_EQ(install.ReadFile("a.bin"), (Bytes{1, 2, 3}));
            EXPECT_EQ(StatusOf(install / "a.bin").modified, kModified);
            EXPECT_EQ(filesBeforePlacing.size(), 2u) << "the payload went through a temporary file";
        } else {
            EXPECT_EQ(install.ReadFile("a.bin"), Bytes(installed.begin(), installed.end()));
            EXPECT_EQ(StatusOf(install / "a.bin").modified, before.modified);
            EXPECT_EQ(progress.positions, std::vector<std::int32_t>{2}) << "straight to 2";
            EXPECT_EQ(filesAtEnd, std::vector<std::string>{"a.bin"}) << "no temporary file made";
        }
    }
}

TEST(CmdCopy, FailuresLeaveTheInstallationUnchanged) {
    struct Case {
        const char* label;
        std::string relativePath;
        std::string name;
        std::string failure;
        std::uint32_t attributes = 0;  // given to the installed file
    };
    std::vector<Case> cases = {
        // Refused on both systems, also for root on Linux.
        {"read-only destination", "sub\\", "a.bin", Cp932(u8"更新ファイルの作成に失敗！"),
         Os::kAttrReadOnly},
        {"destination folder cannot be made (a file stands in its way)", "sub\\a.bin\\", "a.bin",
         kUpdateFileNotCreated},
        {"folder climbing out of the installation", "sub\\..\\..\\", "a.bin",
         Cp932(u8"不正なパスが指定されています！")},
        {"payload name climbing out of the installation", "sub\\", "..\\..\\a.bin", kUnsafePath},
        // With the name it reads "..a.bin", yet the temporary file would go to the folder above.
        {"folder of two dots without its separator", "..", "a.bin", kUnsafePath},
    };
#ifdef _WIN32
    cases.push_back({"hidden destination", "sub\\", "a.bin", kUpdateFileNotCreated, Os::kAttrHidden});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder root;  // the installation is its folder "game"
        root.WriteFile("game/sub/a.bin", "old");
        SetModified(root / "game/sub/a.bin", -60);
        if (c.attributes) {
            ASSERT_TRUE(Os::SetFileAttributes(root / "game/sub/a.bin", c.attributes));
        }
        HookedProgress progress;
        CErrorMessages errors;
        CopyParams params = Params(c.relativePath, c.name);
        EXPECT_EQ(FailureOf([&] { CmdCopy(progress, root / "game/", params, errors); }), c.failure);
        EXPECT_EQ(root.ReadFile("game/sub/a.bin"), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(root.List(), std::vector<std::string>{"game"});
        EXPECT_EQ(root.List("game"), std::vector<std::string>{"sub"});
        EXPECT_EQ(root.List("game/sub"), std::vector<std::string>{"a.bin"});
    }
}

// A payload's name may name a subfolder of its own; the temporary file lies in the folder
// that holds the destination, so the swap is one rename also where that folder is a link to
// another file system.
TEST(CmdCopy, PutsTheTemporaryFileInTheDestinationsOwnFolder) {
    Orvane::Test::ForPlainAndLinkedFolder("sub", [&](const TempFolder& install) {
        install.WriteFile("sub/a.bin", "old");
        SetModified(install / "sub/a.bin", -60);
        HookedProgress progress;
        std::vector<std::string> inSub, inInstall;
        progress.onPos = [&](std::int32_t position) {
            if (position != 1) return;
            inSub = install.List("sub");
            inInstall = install.List();
        };
        CErrorMessages errors;
        CopyParams params = Params("", "sub\\a.bin");
        EXPECT_EQ(FailureOf([&] { CmdCopy(progress, install.Path(), params, errors); }), "");
        EXPECT_EQ(install.ReadFile("sub/a.bin"), (Bytes{1, 2, 3}));
        ASSERT_EQ(inSub.size(), 2u) << "the temporary file beside the destination";
        EXPECT_EQ(inInstall, std::vector<std::string>{"sub"});
        EXPECT_EQ(install.List("sub"), std::vector<std::string>{"a.bin"});
    });
}

// The installed file is replaced as a whole, never rewritten: a failure part-way through could
// otherwise leave it cut short. Another name of the old file shows whether it was written.
TEST(CmdCopy, ReplacesTheInstalledFileWithoutWritingIt) {
    TempFolder install;
    install.WriteFile("a.bin", "old");
    SetModified(install / "a.bin", -60);
    install.Link("a.bin", "old-name.bin");
    HookedProgress progress;
    CErrorMessages errors;
    CopyParams params = Params("", "a.bin");
    CmdCopy(progress, install.Path(), params, errors);
    EXPECT_EQ(install.ReadFile("a.bin"), (Bytes{1, 2, 3}));
    EXPECT_EQ(install.ReadFile("old-name.bin"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(install.List(), (std::vector<std::string>{"a.bin", "old-name.bin"}));
}

// A destination missing at the freshness test is not looked up again before the swap; a file
// that another program puts there meanwhile is still replaced only if it may be, by the swap.
// A file that another program puts at a new destination while the copy writes, or after the
// run listed the folder (and so, on Windows, no longer looks the name up): the swap finds it
// and the copy decides as if it had looked.
TEST(CmdCopy, AFileAppearingAtANewDestinationMeanwhileIsHandledByTheSwap) {
    enum class When { WhileWriting, AfterListing };
    struct Case {
        const char* label;
        When when;
        std::uint32_t attributes;
        std::int64_t seconds;  // its last-write time relative to the payload's
        std::string failure;
        Bytes after;
    };
    const Case cases[] = {
        {"plain file: replaced", When::WhileWriting, 0, -60, "", {1, 2, 3}},
        {"read-only file: refused", When::WhileWriting, Os::kAttrReadOnly, -60,
         kUpdateFileNotCreated, {'o', 't', 'h'}},
        {"older, after listing: replaced", When::AfterListing, 0, -60, "", {1, 2, 3}},
        {"as new, after listing: kept", When::AfterListing, 0, 0, "", {'o', 't', 'h'}},
        {"read-only, after listing: refused", When::AfterListing, Os::kAttrReadOnly, -60,
         kUpdateFileNotCreated, {'o', 't', 'h'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder install;
        auto appear = [&] {
            install.WriteFile("a.bin", "oth");
            SetModified(install / "a.bin", c.seconds);
            if (c.attributes) Os::SetFileAttributes(install / "a.bin", c.attributes);
        };
        HookedProgress progress;
        Os::FolderSnapshots snapshots;
        if (c.when == When::AfterListing) {
            Os::WasMissingFromSnapshot(install / "a.bin");
            appear();
        } else {
            progress.onPump = [&] {  // once the payload is written, beside it
                if (install.List().size() == 1 && install.List()[0] != "a.bin") appear();
            };
        }
        CErrorMessages errors;
        CopyParams params = Params("", "a.bin");
        EXPECT_EQ(FailureOf([&] { CmdCopy(progress, install.Path(), params, errors); }), c.failure);
        EXPECT_EQ(install.ReadFile("a.bin"), c.after);
        EXPECT_EQ(install.List(), std::vector<std::string>{"a.bin"});
    }
}

// GetFileStatus cannot see a path of 260 bytes or more, while the platform writes paths of up
// to 259 characters (Wine: destinations of any length), a double-byte character counting once.
TEST(CmdCopy, RefusesADestinationTheFreshnessTestCannotSee) {
    std::string kana;
    for (int i = 0; i < 70; ++i) kana += Cp932(u8"ア");
    const std::string cases[][2] = {{std::string(100, 'a'), std::string(160, 'a')},  // folder, name
                                    {kana, kana}};  // over 260 bytes, under 260 characters
    for (const auto& [folder, name] : cases) {
        TempFolder install;
        install.WriteFile(folder + "/" + name, "newer");  // than the payload
        HookedProgress progress;
        CErrorMessages errors;
        CopyParams params = Params(folder + "\\", name);
        EXPECT_EQ(FailureOf([&] { CmdCopy(progress, install.Path(), params, errors); }),
                  kUpdateFileNotCreated);
        EXPECT_EQ(install.ReadFile(folder + "/" + name), (Bytes{'n', 'e', 'w', 'e', 'r'}));
        EXPECT_EQ(install.List(folder), std::vector<std::string>{name});
    }
}

TEST(CmdCopy, TextsNoTestCanProvoke) {
    // The copied file vanishing between the copy and the stamping.
    EXPECT_EQ(kUpdateFileNotFound, Cp932(u8"更新ファイルの作成に失敗！！"));
}

TEST(CmdCopy, CancelReportsTheNameAndLeavesTheDestination) {
    TempFolder install;
    install.WriteFile("a.bin", "old");
    SetModified(install / "a.bin", -60);
    HookedProgress progress;
    progress.cancelOnText = FormatWithName(kCopyingFormat, "a.bin");
    CErrorMessages errors;
    errors.Add("left from an earlier copy");
    CopyParams params = Params("", "a.bin");
    std::string failure = FailureOf([&] { CmdCopy(progress, install.Path(), params, errors); });
    EXPECT_EQ(failure, Cp932(u8"a.bin\nキャンセルボタンが押されたので終了します！ : CmdCopy"));
    EXPECT_EQ(errors.Text(), failure);
    EXPECT_EQ(install.ReadFile("a.bin"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(install.List(), std::vector<std::string>{"a.bin"});
    EXPECT_FALSE(progress.TakeCancelRequest()) << "the request was taken";
}

}  // namespace
}  // namespace Orvane
