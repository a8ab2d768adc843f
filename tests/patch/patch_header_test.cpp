#include "patch/patch_header.h"

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

// Bytes in front of the container, so that offsets are checked as absolute file offsets.
constexpr std::uint32_t kStart = 5;

// The version-1 header with title "Ab", reserved value 1 and key "k".
const Bytes kVersion1Example = {
    0x50, 0x41, 0x54, 0x43, 0x48, 0x76, 0x30, 0x31,  // "PATCHv01"
    0x04, 0x00,                                      // T = 4
    0x41, 0x00, 0x62, 0x00,                          // "Ab"
    0x01, 0x00,                                      // reserved
    0x02, 0x00,                                      // K = 2
    0x6B, 0x00,                                      // "k"
};

struct HeaderRead {
    bool result;
    PatchHeader header;
    std::int64_t position;
};

HeaderRead ReadAt(const Bytes& container) {
    TempFolder folder;
    Bytes file(kStart, 0xEE);
    file.insert(file.end(), container.begin(), container.end());
    auto stream = OpenBytes(folder, file);
    stream->Seek(kStart, 0);
    HeaderRead read{false, PatchHeader{}, 0};
    read.result = ReadPatchHeader(stream, read.header);
    read.position = stream->GetPosition();
    return read;
}

struct HeaderCase {
    const char* name;
    Bytes container;
    std::int32_t version;
    std::string title;
    std::uint32_t reserved;
    std::string registryKey;
    std::uint32_t scriptOffset;
};

std::vector<HeaderCase> HeaderCases() {
    std::string title = Cp932(u8"修正タイトル");
    std::string key = Cp932(u8"Software\\表ソ");
    return {
        {"Version1Example", kVersion1Example, 1, "Ab", 1, "k", kStart + 20},
        {"Version1Empty", ByteBuilder().Ascii("PATCHv01").U16(0).U16(7).U16(0).Get(), 1, "", 7,
         "", kStart + 14},
        {"Version1Japanese",
         ByteBuilder().Ascii("PATCHv01").Text16(u"修正タイトル").U16(0).Text16(u"Software\\表ソ")
             .Get(), 1, title, 0, key, kStart + 8 + 2 + 12 + 2 + 2 + 22},
        // The odd last byte is paired with a zero byte.
        {"Version1OddTitle", ByteBuilder().Ascii("PATCHv01").U16(3).U16('A').U8('B').U16(0)
             .U16(0).Get(), 1, "AB", 0, "", kStart + 17},
        // The text ends at the zero character; the bytes behind it are still consumed.
        {"Version1ZeroInTitle", ByteBuilder().Ascii("PATCHv01").Text16(u"A\0B"s).U16(0)
             .Text16(u"k").Get(), 1, "A", 0, "k", kStart + 8 + 8 + 2 + 4},
        {"Version0Ansi",
         ByteBuilder().Ascii("PATCHv00").U16(static_cast<std::uint16_t>(title.size())).Ascii(title)
             .U16(static_cast<std::uint16_t>(key.size())).Ascii(key).Get(),
         0, title, 0xFFFFFFFF, key, kStart + 12 + 12 + 13},
        // "1A" decodes as 10 + 17; only the title's bytes belong to such a header.
        {"OtherVersion", ByteBuilder().Ascii("PATCHv1A").Text16(u"Ab").U16(0xFFFF).Get(), 27, "",
         0xFFFFFFFF, "", kStart + 14},
    };
}

class HeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, ReadsTheFieldsOfItsVersion) {
    const HeaderCase& c = GetParam();
    HeaderRead read = ReadAt(c.container);
    ASSERT_TRUE(read.result);
    EXPECT_EQ(read.header.version, c.version);
    EXPECT_EQ(Utf8(read.header.title), Utf8(c.title));
    EXPECT_EQ(read.header.reserved, c.reserved);
    EXPECT_EQ(Utf8(read.header.registryKey), Utf8(c.registryKey));
    EXPECT_EQ(read.header.scriptOffset, c.scriptOffset);
    EXPECT_EQ(read.position, c.scriptOffset);
}

INSTANTIATE_TEST_SUITE_P(Headers, HeaderTest, testing::ValuesIn(HeaderCases()),
                         [](const auto& info) { return info.param.name; });

TEST(HeaderReadFailure, EveryCutOfTheExampleIsRefused) {
    for (std::size_t size = 0; size < kVersion1Example.size(); ++size) {
        Bytes cut(kVersion1Example.begin(), kVersion1Example.begin() + size);
        EXPECT_FALSE(ReadAt(cut).result) << "cut at " << size;
    }
}

TEST(HeaderReadFailure, WrongMagicReadsNothingBehindIt) {
    for (const char* magic : {"patchv01", "PATCHV01", "XATCHv01"}) {
        Bytes container = kVersion1Example;
        std::copy(magic, magic + 8, container.begin());
        HeaderRead read = ReadAt(container);
        EXPECT_FALSE(read.result) << magic;
        EXPECT_EQ(read.position, kStart + 8) << magic;
        EXPECT_EQ(read.header.version, 0) << magic;
    }
}

TEST(HeaderReadFailure, LengthPastTheEndOfTheFileIsRefused) {
    EXPECT_FALSE(ReadAt(ByteBuilder().Ascii("PATCHv01").U16(0xFFFF).U16('A').Get()).result);
}

}  // namespace
}  // namespace Orvane
