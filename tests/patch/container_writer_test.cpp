#include "patch/container_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/failure.h"
#include "fixture_file.h"
#include "patch/container_encoding.h"
#include "patch/container_reader.h"
#include "patch/patch_texts.h"
#include "platform/os.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::PeImage;
using Test::TempFolder;
using Test::Cp932;

const TimeStamp kStamp{2024, 3, 5, 14, 30, 0};

std::string FailureText(const std::function<void()>& action) {
    try {
        action();
    } catch (const MessageFailure& failure) {
        return failure.Text().substr(0, failure.Text().find(':'));
    }
    return "(no failure)";
}

ContainerDescription Example() {
    ContainerDescription d;
    d.title = Cp932(u8"修正パッチ 1.1");
    d.reserved = 1;
    d.registryKey = Cp932(u8"Software\\表ソ\\Game");
    d.payloads = {{0, "a.txt", kStamp, kStamp, {'x', 'y', 'z'}},
                  {3, Cp932(u8"画像.bmp"), {2001, 2, 3, 4, 5, 6}, kStamp, {}}};
    d.records = {CopyRecord{Cp932(u8"data\\表\\"), 1}, DeleteRecord{"old.dat"},
                 ArchiveRecord{"x.arc", 2, {{0, "a.bmp"}, {1, ""}}, {{0, 0}, {9, 1}}},
                 CopyRecord{"", 0}};
    return d;
}

TEST(ContainerEncoding, WritesTheExampleLayouts) {
    ContainerDescription header;
    header.title = "Ab";
    header.reserved = 1;
    header.registryKey = "k";
    EXPECT_EQ(EncodeHeader(header), ByteBuilder().Ascii("PATCHv01").Text16(u"Ab").U16(1)
                                        .Text16(u"k").Get());
    header.version = 0;
    EXPECT_EQ(EncodeHeader(header), ByteBuilder().Ascii("PATCHv00").U16(2).Ascii("Ab").U16(1)
                                        .Ascii("k").Get());
    EXPECT_EQ(EncodeRecord(CopyRecord{"data", 2}),
              ByteBuilder().U16(0).U16(16).Text16(u"data").U16(2).Get());
    EXPECT_EQ(EncodeRecord(DeleteRecord{"old.dat"}),
              ByteBuilder().U16(1).U16(20).Text16(u"old.dat").Get());
    EXPECT_EQ(EncodeRecord(ArchiveRecord{"x.arc", 1, {{0, "a.bmp"}}, {{0, 3}}}),
              ByteBuilder().U16(2).U16(40).Text16(u"x.arc").U16(1).U16(1).U16(0)
                  .Text16(u"a.bmp").U16(1).U16(0).U16(3).Get());
    EXPECT_EQ(EncodePayloadHead({0, "a.txt", kStamp, kStamp, {'x', 'y', 'z'}}),
              ByteBuilder().U16(0).Text16(u"a.txt").Stamp(2024, 3, 5, 14, 30, 0)
                  .Stamp(2024, 3, 5, 14, 30, 0).U32(3).Get());
}

TEST(ContainerEncoding, RefusesWhatTheFormatCannotHold) {
    struct Case { const char* what; std::function<void(ContainerDescription&)> change; const char* text; };
    const Case cases[] = {
        {"version 2", [](auto& d) { d.version = 2; }, kUnsupportedContainerVersion},
        {"65536 payloads", [](auto& d) { d.payloads.resize(65536, d.payloads[0]); },
         kTooManyEntries},
        {"title of 65536 bytes", [](auto& d) { d.title.assign(32768, 'a'); }, kTextTooLong},
        {"ANSI title of 65536 bytes", [](auto& d) { d.version = 0; d.title.assign(65536, 'a'); },
         kTextTooLong},
        {"zero in a name", [](auto& d) { d.payloads[0].name = std::string("a\0b", 3); },
         kTextHoldsZero},
        {"record of 65536 bytes",
         [](auto& d) { d.records = {ArchiveRecord{"", 0, std::vector<ArchiveRemoval>(16383, {0, "a"}), {}}}; },
         kRecordTooLong},
        {"payload index past the table", [](auto& d) { d.records = {CopyRecord{"", 2}}; },
         kPayloadIndexOutOfRange},
        {"archive addition past the table",
         [](auto& d) { d.records = {ArchiveRecord{"x", 1, {}, {{0, 2}}}}; },
         kPayloadIndexOutOfRange},
        {"month 13", [](auto& d) { d.payloads[1].modified.month = 13; }, kTimeStampOutOfRange},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        ContainerDescription d = Example();
        c.change(d);
        auto out = std::make_shared<Common::FileStream>(folder / "out", Common::CreateAlways,
                                                        Common::FileAccess::Write, 0);
        EXPECT_EQ(FailureText([&] { WriteContainer(out, d); }), c.text) << c.what;
        EXPECT_EQ(out->GetLength(), 0) << c.what << ": nothing is written";
    }
}

TEST(ContainerWriter, RefusesAContainerReachingPast4GiB) {
    TempFolder folder;
    auto out = std::make_shared<Common::FileStream>(folder / "out", Common::CreateAlways,
                                                    Common::FileAccess::Write, 0);
    ContainerDescription d = Example();
    ASSERT_TRUE(out->Seek(0xFFFFFFFF - 100, 0));
    EXPECT_EQ(FailureText([&] { WriteContainer(out, d); }), kContainerTooLarge);
    EXPECT_EQ(out->GetLength(), 0);
}

TEST(ContainerEncoding, AcceptsTheLargestSizesTheFormatHolds) {
    ContainerDescription d = Example();
    d.version = 0;
    d.title.assign(65535, 'a');
    EXPECT_EQ(EncodeHeader(d).size(), 8 + 2 + 65535 + 2 + d.registryKey.size());
    d.payloads.resize(65535, d.payloads[0]);
    EXPECT_EQ(EncodeTableHead(d.payloads.size()), ByteBuilder().Ascii("[FILE]").U16(65535).Get());
    // 12 + 10920 removals of 6 bytes: 65532 bytes.
    ArchiveRecord record{"", 0, std::vector<ArchiveRemoval>(10920, {0, "a"}), {}};
    EXPECT_EQ(EncodeRecord(record).size(), 65532u);
}

// On Windows the stub is this test program itself, a real stripped image; elsewhere a synthetic
// image with two sections.
Bytes StubImage() {
#ifdef _WIN32
    Common::FileStream self(*Os::GetModuleFileName(nullptr), Common::OpenExisting,
                            Common::FileAccess::Read, Common::FileShare::Read);
    Bytes bytes(static_cast<std::size_t>(self.GetLength()));
    EXPECT_TRUE(self.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    return bytes;
#else
    return PeImage({{0x200, 0x100}, {0x300, 0x80}});
#endif
}

class PatchExecutableTest : public testing::Test {
protected:
    std::string Stub(const Bytes& image) {
        folder_.WriteFile("stub.exe", image);
        return folder_ / "stub.exe";
    }
    std::string Patch() const { return folder_ / "patch.exe"; }
    TempFolder folder_;
};

TEST_F(PatchExecutableTest, WritingThenReadingGivesTheDescriptionBack) {
    Bytes image = StubImage();
    ContainerDescription d = Example();
    WritePatchExecutable(Stub(image), d, Patch());

    ContainerReading reading = ReadContainer(Patch(), PayloadData::Keep);
    EXPECT_EQ(reading.failureText, "");
    EXPECT_EQ(reading.start.containerOffset, image.size());
    EXPECT_TRUE(reading.description == d);
    EXPECT_EQ(reading.payloadSizes, (std::vector<std::uint32_t>{3, 0}));
    Bytes written = folder_.ReadFile("patch.exe");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), written.begin()));
}

TEST_F(PatchExecutableTest, RefusesStubsWhereTheContainerWouldNotBeFound) {
    Bytes image = PeImage({{0x200, 0x100}});
    Bytes trailing = image;
    trailing.push_back(0);
    Bytes notImage = image;
    notImage[0] = 'X';
    EXPECT_EQ(FailureText([&] { WritePatchExecutable(Stub(trailing), Example(), Patch()); }),
              kStubHasTrailingData);
    EXPECT_EQ(FailureText([&] { WritePatchExecutable(Stub(notImage), Example(), Patch()); }),
              kStubNotAnImage);
    EXPECT_EQ(FailureText([&] { WritePatchExecutable(folder_ / "none", Example(), Patch()); }),
              kStubUnreadable);
    EXPECT_FALSE(folder_.Exists("patch.exe"));
}

TEST_F(PatchExecutableTest, ReadingStopsAtTheFirstProblemWithTheProgramsText) {
    Bytes image = PeImage({{0x200, 0x100}});
    ContainerDescription d = Example();
    WritePatchExecutable(Stub(image), d, Patch());
    Bytes patch = folder_.ReadFile("patch.exe");
    auto reread = [&](const Bytes& bytes) {
        folder_.WriteFile("damaged.exe", bytes);
        return ReadContainer(folder_ / "damaged.exe", PayloadData::Drop);
    };
    // The third record (the archive update) gets an unknown type.
    std::size_t scriptStart = image.size() + EncodeHeader(d).size() + 12;
    std::size_t third = scriptStart + EncodeRecord(d.records[0]).size() +
                        EncodeRecord(d.records[1]).size();
    Bytes badRecord = patch;
    badRecord[third] = 7;
    ContainerReading reading = reread(badRecord);
    EXPECT_EQ(reading.failureText, kScriptParseFailed);
    EXPECT_EQ(reading.stoppedAt, ReadingStop::Record);
    EXPECT_EQ(reading.description.records.size(), 2u);
    EXPECT_EQ(reading.description.payloads.size(), 2u);

    Bytes badScriptTag = patch;
    badScriptTag[scriptStart - 12] = '(';
    EXPECT_EQ(reread(badScriptTag).stoppedAt, ReadingStop::Script);
    EXPECT_EQ(reread(badScriptTag).failureText, kScriptLoadFailed);
    EXPECT_EQ(reread(image).failureText, kPatchDataNotFound);
    Bytes cutHeader(patch.begin(), patch.begin() + image.size() + 9);
    EXPECT_EQ(reread(cutHeader).failureText, kHeaderReadFailed);
    Bytes sectionPastEnd(image.begin(), image.end() - 1);
    EXPECT_EQ(reread(sectionPastEnd).failureText, kFileSizeWrong);
    d.version = 0;
    WritePatchExecutable(Stub(image), d, Patch());
    EXPECT_EQ(ReadContainer(Patch(), PayloadData::Drop).failureText, kScriptLoadFailed);
}

}  // namespace
}  // namespace Orvane
