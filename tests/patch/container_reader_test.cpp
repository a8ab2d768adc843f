#include "patch/container_reader.h"

#include <gtest/gtest.h>

#include "fixture_file.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::TempFolder;

// A patch whose payload #0 is loadable and #1 (a month-13 stamp) and #2 (data cut short) are
// not, behind the given records.
Bytes PatchWithScript(const std::vector<Bytes>& records) {
    ByteBuilder script;
    for (const Bytes& record : records) script.Append(record);
    return ByteBuilder().Append(Test::PeImage({{0x200, 0x100}})).Ascii("PATCHv01").Text16(u"t")
        .U16(0).Text16(u"k").Ascii("[SCRIPT]").U32(static_cast<std::uint32_t>(script.Size()))
        .Append(script.Get()).Ascii("[FILE]").U16(3)
        .U16(0).Text16(u"a").Stamp(2024, 1, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(0)
        .U16(0).Text16(u"b").Stamp(2024, 13, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(0)
        .U16(0).Text16(u"c").Stamp(2024, 1, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(5).U8(1)
        .Get();
}

Bytes CopyOf(std::uint16_t index) { return ByteBuilder().U16(0).U16(8).U16(0).U16(index).Get(); }
const Bytes kDelete = ByteBuilder().U16(1).U16(8).Text16(u"x").Get();
// Archive x to revision 1, no removals, adding payloads 1 and 2.
const Bytes kArchiveAdding1And2 = ByteBuilder().U16(2).U16(22).Text16(u"x").U16(1).U16(0).U16(2)
    .U16(0).U16(1).U16(0).U16(2).Get();

TEST(ContainerReader, UnloadablePayloadsStopTheReadingOnlyAtACopyOfThem) {
    struct Case {
        const char* what; std::vector<Bytes> records; std::size_t read; const char* text;
    };
    const Case cases[] = {
        {"archive additions", {kArchiveAdding1And2, kDelete}, 2, ""},
        {"copy of a rejected stamp", {kDelete, CopyOf(1), kDelete}, 1, kScriptParseFailed},
        {"copy of data cut short", {CopyOf(2)}, 0, kScriptParseFailed},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.WriteFile("patch.exe", PatchWithScript(c.records));
        ContainerReading reading = ReadContainer(folder / "patch.exe", PayloadData::Drop);
        EXPECT_EQ(reading.failureText, c.text) << c.what;
        EXPECT_EQ(reading.description.records.size(), c.read) << c.what;
        EXPECT_EQ(reading.payloadProblems,
                  (std::vector<PayloadProblem>{PayloadProblem::None,
                                               PayloadProblem::CreatedRejected,
                                               PayloadProblem::CutShort}))
            << c.what;
    }
}

}  // namespace
}  // namespace Orvane
