#include "patch/container_reader.h"

#include <gtest/gtest.h>

#include "fixture_file.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::PeImage;
using Test::TempFolder;

// Four payloads; all but #0 are ones the patch program cannot load. #0 has a day past the end
// of February, which the program accepts and which is shown as stored.
Bytes PayloadTable() {
    return ByteBuilder().Ascii("[FILE]").U16(4)
        .U16(1).Text16(u"a").Stamp(2024, 2, 31, 10, 0, 0).Stamp(2023, 12, 1, 8, 0, 0).U32(1).U8('a')
        .U16(2).Text16(u"b").Stamp(2024, 13, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(1).U8('b')
        .U16(3).Text16(u"c").Stamp(2024, 1, 1, 0, 0, 0).Stamp(2024, 1, 1, 24, 0, 0).U32(1).U8('c')
        .U16(4).Text16(u"d").Stamp(2024, 1, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(5)
        .Ascii("dd")  // 3 bytes short
        .Get();
}

Bytes CopyOf(std::uint16_t index) {
    return ByteBuilder().U16(0).U16(0).Text16(u"").U16(index).Get();
}
const Bytes kDelete = ByteBuilder().U16(1).U16(0).Text16(u"old.dat").Get();
// Archive x.arc to revision 1, adding payloads 2 and 3.
const Bytes kArchiveAddingBadPayloads =
    ByteBuilder().U16(2).U16(0).Text16(u"x.arc").U16(1).U16(0).U16(2).U16(0).U16(2).U16(0)
        .U16(3).Get();

Bytes PatchWithScript(const Bytes& image, const std::vector<Bytes>& records) {
    ByteBuilder script;
    for (const Bytes& record : records) script.Append(record);
    return ByteBuilder().Append(image).Ascii("PATCHv01").Text16(u"t").U16(0).Text16(u"k")
        .Ascii("[SCRIPT]").U32(static_cast<std::uint32_t>(script.Size())).Append(script.Get())
        .Append(PayloadTable()).Get();
}

TEST(ContainerReader, PayloadsFailTheReadingOnlyWhereACopyRecordNamesThem) {
    struct Case {
        const char* what;
        std::vector<Bytes> records;
        std::size_t recordsRead;
        const char* failureText;
    };
    const Case cases[] = {
        {"archive additions and an unused payload", {kArchiveAddingBadPayloads, kDelete}, 2, ""},
        {"a copy of a loadable payload", {CopyOf(0), kDelete}, 2, ""},
        {"a copy of a payload with a bad stamp", {kDelete, CopyOf(1), kDelete}, 1,
         kScriptParseFailed},
        {"a copy of a payload cut short", {CopyOf(3)}, 0, kScriptParseFailed},
    };
    Bytes image = PeImage({{0x200, 0x100}});
    TempFolder folder;
    for (const Case& c : cases) {
        folder.WriteFile("patch.exe", PatchWithScript(image, c.records));
        ContainerReading reading = ReadContainer(folder / "patch.exe", PayloadData::Drop);
        EXPECT_EQ(reading.failureText, c.failureText) << c.what;
        EXPECT_EQ(reading.description.records.size(), c.recordsRead) << c.what;
        EXPECT_EQ(reading.payloadProblems,
                  (std::vector<PayloadProblem>{PayloadProblem::None,
                                               PayloadProblem::CreatedRejected,
                                               PayloadProblem::ModifiedRejected,
                                               PayloadProblem::CutShort}))
            << c.what;
        EXPECT_EQ(reading.payloadSizes, (std::vector<std::uint32_t>{1, 1, 1, 5})) << c.what;
    }
}

TEST(ContainerReader, PayloadStampsAreTheStoredFields) {
    TempFolder folder;
    folder.WriteFile("patch.exe", PatchWithScript(PeImage({{0x200, 0x100}}), {}));
    ContainerReading reading = ReadContainer(folder / "patch.exe", PayloadData::Keep);
    ASSERT_EQ(reading.description.payloads.size(), 4u);
    const PayloadDescription& first = reading.description.payloads[0];
    EXPECT_EQ(first.created, (TimeStamp{2024, 2, 31, 10, 0, 0}));
    EXPECT_EQ(first.modified, (TimeStamp{2023, 12, 1, 8, 0, 0}));
    EXPECT_EQ(first.data, Bytes{'a'});
    EXPECT_EQ(reading.description.payloads[1].created, (TimeStamp{2024, 13, 1, 0, 0, 0}));
    EXPECT_EQ(reading.description.payloads[2].modified, (TimeStamp{2024, 1, 1, 24, 0, 0}));
    EXPECT_EQ(reading.description.payloads[3].name, "d");
    EXPECT_TRUE(reading.description.payloads[3].data.empty());
}

}  // namespace
}  // namespace Orvane
