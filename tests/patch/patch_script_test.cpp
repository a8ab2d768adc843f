#include "patch/patch_script.h"

#include <gtest/gtest.h>

#include "fixture_file.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::Utf8;
using Test::OpenBytes;
using Test::TempFolder;
using Test::Cp932;
using namespace std::string_literals;

// Copy payload 2 into the folder "data".
const Bytes kCopyExample = {
    0x00, 0x00,                                      // type copy
    0x10, 0x00,                                      // recordSize 16
    0x08, 0x00,                                      // F = 8
    0x64, 0x00, 0x61, 0x00, 0x74, 0x00, 0x61, 0x00,  // "data"
    0x02, 0x00,                                      // payload 2
};

// Delete "old.dat".
const Bytes kDeleteExample = {
    0x01, 0x00,                                      // type delete
    0x14, 0x00,                                      // recordSize 20
    0x0E, 0x00,                                      // P = 14
    0x6F, 0x00, 0x6C, 0x00, 0x64, 0x00, 0x2E, 0x00,  // "old."
    0x64, 0x00, 0x61, 0x00, 0x74, 0x00,              // "dat"
};

// Bring "x.arc" to revision 1: remove "a.bmp" (revision 0), add payload 3.
const Bytes kArchiveExample = {
    0x02, 0x00,                                                  // type archive
    0x28, 0x00,                                                  // recordSize 40
    0x0A, 0x00,                                                  // A = 10
    0x78, 0x00, 0x2E, 0x00, 0x61, 0x00, 0x72, 0x00, 0x63, 0x00,  // "x.arc"
    0x01, 0x00,                                                  // revision 1
    0x01, 0x00,                                                  // R = 1
    0x00, 0x00,                                                  //   revision 0
    0x0A, 0x00,                                                  //   N = 10
    0x61, 0x00, 0x2E, 0x00, 0x62, 0x00, 0x6D, 0x00, 0x70, 0x00,  //   "a.bmp"
    0x01, 0x00,                                                  // D = 1
    0x00, 0x00,                                                  //   reserved
    0x03, 0x00,                                                  //   payload 3
};

constexpr std::uint16_t kPayloadCount = 4;

Bytes Payload(std::uint16_t index) {
    return ByteBuilder().U16(index).Text16(u"p" + std::u16string(1, u'0' + index))
        .Stamp(2024, 3, 5, 14, 30, 0).Stamp(2024, 3, 5, 14, 30, 0).U32(1).U8(0x40 + index).Get();
}

// "[SCRIPT]", L, the records, "[FILE]" and kPayloadCount payloads named p0, p1, ...
Bytes ScriptFile(const Bytes& records) {
    ByteBuilder file;
    file.Ascii("[SCRIPT]").U32(static_cast<std::uint32_t>(records.size())).Append(records);
    file.Ascii("[FILE]").U16(kPayloadCount);
    for (std::uint16_t i = 0; i < kPayloadCount; ++i) file.Append(Payload(i));
    return file.Get();
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    ByteBuilder all;
    for (const Bytes& part : parts) all.Append(part);
    return all.Get();
}

Bytes CopyRecordTo(const std::u16string& folder, std::uint16_t index) {
    return ByteBuilder().U16(0).U16(0).Text16(folder).U16(index).Get();
}

class PatchScriptTest : public testing::Test {
protected:
    std::unique_ptr<CPatchScript> Load(const Bytes& file, std::int32_t version = 1) {
        folder_.WriteFile("patch.exe", file);
        return std::make_unique<CPatchScript>(folder_ / "patch.exe", 0, version);
    }
    std::unique_ptr<CPatchScript> LoadRecords(const Bytes& records) {
        return Load(ScriptFile(records));
    }
    // The types NextCommand returns up to the end marker or a failure ("fail").
    std::string Outcomes(const Bytes& records) {
        auto script = LoadRecords(records);
        std::string outcomes;
        for (;;) {
            std::shared_ptr<ICmdParams> command = script->NextCommand();
            if (!outcomes.empty()) outcomes += ",";
            if (!command) return outcomes + "fail";
            if (command->type == kEndOfScript) return outcomes + "end";
            outcomes += std::to_string(command->type);
        }
    }
    std::shared_ptr<CopyParams> FirstCopy(const Bytes& records) {
        std::shared_ptr<ICmdParams> command = LoadRecords(records)->NextCommand();
        return command ? std::static_pointer_cast<CopyParams>(command) : nullptr;
    }

    TempFolder folder_;
};

TEST_F(PatchScriptTest, LoadsTheScriptAndIndexesThePayloads) {
    Bytes records = Concat({kCopyExample, kDeleteExample});
    auto script = LoadRecords(records);
    ASSERT_TRUE(script->Stream());
    EXPECT_EQ(script->Script(), records);
    EXPECT_EQ(script->Cursor(), 0u);
    ASSERT_EQ(script->FilePositions().size(), kPayloadCount);
    EXPECT_EQ(script->FilePositions()[0], 12 + records.size() + 8);
    EXPECT_EQ(script->LoadPicFile(3)->name, "p3");
}

TEST_F(PatchScriptTest, RefusesScriptsThatCannotBeLoaded) {
    Bytes good = ScriptFile(kDeleteExample);
    auto replaced = [&good](std::size_t at, const std::string& text) {
        Bytes bytes = good;
        std::copy(text.begin(), text.end(), bytes.begin() + at);
        return bytes;
    };
    struct Case { const char* what; Bytes file; std::int32_t version; };
    const Case cases[] = {
        {"version 0", good, 0},
        {"misspelt script tag", replaced(0, "[script]"), 1},
        {"misspelt file tag", replaced(12 + kDeleteExample.size(), "[FILE}"), 1},
        {"script length past the end", ByteBuilder().Ascii("[SCRIPT]").U32(0xFFFFFF00).Get(), 1},
        {"table cut inside an entry", Bytes(good.begin(), good.end() - 12), 1},
        {"empty file", {}, 1},
    };
    for (const Case& c : cases) {
        auto script = Load(c.file, c.version);
        EXPECT_FALSE(script->Stream()) << c.what;
        EXPECT_TRUE(script->FilePositions().empty()) << c.what;
    }
    EXPECT_FALSE(CPatchScript(folder_ / "missing.exe", 0, 1).Stream());
}

TEST_F(PatchScriptTest, ParsesTheExampleRecords) {
    auto script = LoadRecords(Concat({kCopyExample, kDeleteExample, kArchiveExample}));
    auto copy = std::static_pointer_cast<CopyParams>(script->NextCommand());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->type, kCopyCommand);
    EXPECT_EQ(copy->recordSize, 16u);
    EXPECT_EQ(copy->relativePath, "data\\");
    EXPECT_EQ(copy->fileIndex, 2);
    EXPECT_EQ(copy->file->name, "p2");

    auto remove = std::static_pointer_cast<DeleteParams>(script->NextCommand());
    ASSERT_TRUE(remove);
    EXPECT_EQ(remove->recordSize, 20u);
    EXPECT_EQ(remove->relativePath, "old.dat");

    auto archive = std::static_pointer_cast<ArchiverParams>(script->NextCommand());
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->recordSize, 40u);
    EXPECT_EQ(archive->relativePath, "x.arc");
    EXPECT_EQ(archive->revision, 1);
    ASSERT_EQ(archive->removals.size(), 1u);
    EXPECT_EQ(archive->removals[0]->revision, 0);
    EXPECT_EQ(archive->removals[0]->name, "a.bmp");
    EXPECT_EQ(archive->removals[0]->done, 0);
    ASSERT_EQ(archive->additions.size(), 1u);
    EXPECT_EQ(archive->additions[0]->fileIndex, 3);

    EXPECT_EQ(script->NextCommand()->type, kEndOfScript);
    EXPECT_EQ(script->NextCommand()->type, kEndOfScript);
}

TEST_F(PatchScriptTest, StopsWhereTheScriptIsMalformed) {
    Bytes wrongSize = kDeleteExample;
    wrongSize[2] = 0x99;
    Bytes archiveCutInRemoval(kArchiveExample.begin(), kArchiveExample.begin() + 26);
    Bytes archiveCutInAddition(kArchiveExample.begin(), kArchiveExample.end() - 1);
    struct Case { const char* what; Bytes records; std::string outcomes; };
    const Case cases[] = {
        {"empty script", {}, "end"},
        {"archive with empty lists", ByteBuilder().U16(2).U16(12).Text16(u"a").U16(5).U16(0).U16(0)
             .Get(), "2,end"},
        {"one stray byte", Concat({kDeleteExample, {7}}), "1,end"},
        {"two stray bytes", Concat({kDeleteExample, {7, 0}}), "1,fail"},
        {"three stray bytes", Concat({kDeleteExample, {1, 0, 4}}), "1,fail"},
        {"wrong record size", Concat({wrongSize, kDeleteExample}), "1,1,end"},
        {"payload index equal to the count", CopyRecordTo(u"d", kPayloadCount), "fail"},
        {"type 3", ByteBuilder().U16(3).U16(4).Get(), "fail"},
        {"type 0xFFFF", ByteBuilder().U16(0xFFFF).U16(4).Get(), "fail"},
        {"archive cut in a removal", archiveCutInRemoval, "fail"},
        {"archive cut in an addition", Concat({kCopyExample, archiveCutInAddition}), "0,fail"},
        {"copy cut before its index", Bytes(kCopyExample.begin(), kCopyExample.end() - 2), "fail"},
    };
    for (const Case& c : cases) EXPECT_EQ(Outcomes(c.records), c.outcomes) << c.what;
}

TEST_F(PatchScriptTest, CopyFolderEndsWithOneBackslash) {
    struct Case { std::u16string folder; std::string expected; };
    const Case cases[] = {
        {u"", ""},
        {u"data\\", "data\\"},
        {u"a\\b", "a\\b\\"},
        // 表 and ソ end in the byte 0x5C but are not separators.
        {u"表", Cp932(u8"表\\")},
        {u"a\\ソ", Cp932(u8"a\\ソ\\")},
        {u"\0x"s, "\\"},
    };
    for (const Case& c : cases) {
        auto copy = FirstCopy(CopyRecordTo(c.folder, 0));
        ASSERT_TRUE(copy);
        EXPECT_EQ(Utf8(copy->relativePath), Utf8(c.expected));
    }
}

}  // namespace
}  // namespace Orvane
