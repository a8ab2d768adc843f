#include "cli/install/wine_registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace Orvane::Cli {
namespace {

// As `wine reg add` leaves it (Wine 8): a Japanese folder, a key with escaped brackets and a
// hex digit right behind a \x escape, an expandable string, a key named by octal escapes.
constexpr char kWineUserReg[] = R"(WINE REGISTRY Version 2
;; All keys relative to REGISTRY\\User\\S-1-5-21-0-0-0-1000

#arch=win32

[AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.Current] 1796751821
#time=1dd873ba9db565a
@=""

[Software\\Orvane\\c\0022c\3<c\3 \[x\]] 1796751822
#time=1dd873baa53c7c0
"Install"="octal"

[Software\\Orvane\\Game] 1796751829
#time=1dd873bae90ebe2
"Install"="C:\\\x30b2\x30fc\x30e0"

[Software\\Orvane\\\x30b2\x30fc\x30e0A\[x\]] 1796751829
#time=1dd873baeba784a
"Install"=str(2):"C:\\a\"b\\%TEMP%"

[Software\\Orvane\\Game\\Sub] 1796751830
"Install"="C:\\sub"
)";

struct LookupCase {
    const char* what;
    std::u16string key;
    std::u16string value;
    std::optional<std::u16string> expected;
};

class WineUserRegLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(WineUserRegLookup, FindsTheStringAWindowsProgramWouldRead) {
    std::istringstream userReg(kWineUserReg);
    EXPECT_EQ(FindRegistryString(userReg, GetParam().key, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WineOutput, WineUserRegLookup,
    testing::Values(
        LookupCase{"unicode escapes", u"Software\\Orvane\\Game", u"Install", u"C:\\ゲーム"},
        LookupCase{"key case", u"SOFTWARE\\orvane\\gAME", u"Install", u"C:\\ゲーム"},
        LookupCase{"value case", u"Software\\Orvane\\Game", u"INSTALL", u"C:\\ゲーム"},
        LookupCase{"trailing separator", u"Software\\Orvane\\Game\\", u"Install", u"C:\\ゲーム"},
        LookupCase{"subkey", u"Software\\Orvane\\Game\\Sub", u"Install", u"C:\\sub"},
        LookupCase{"expandable, hex digit after escape", u"Software\\Orvane\\ゲームA[x]",
                   u"Install", u"C:\\a\"b\\%TEMP%"},
        LookupCase{"octal escapes", u"Software\\Orvane\\c\u00022c\u0003<c\u0003 [x]", u"Install",
                   u"octal"},
        LookupCase{"default value", u"AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.Current",
                   u"", u""},
        LookupCase{"parent key holds no value", u"Software\\Orvane", u"Install", std::nullopt},
        LookupCase{"key prefix is another key", u"Software\\Orvane\\Gam", u"Install",
                   std::nullopt},
        LookupCase{"missing value", u"Software\\Orvane\\Game", u"Path", std::nullopt},
        LookupCase{"missing key", u"Software\\Other", u"Install", std::nullopt}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::to_string(info.index); });

struct DataCase {
    const char* what;
    const char* line;  // the value line of [Software\\Game]
    std::optional<std::u16string> expected;
};

class WineValueData : public testing::TestWithParam<DataCase> {};

TEST_P(WineValueData, TakesOnlyStringsThatAWindowsProgramWouldTake) {
    std::istringstream userReg(std::string("[Software\\\\Game] 1\r\n") + GetParam().line +
                               "\r\n\r\n[Software\\\\Next] 2\r\n\"Install\"=\"next\"\r\n");
    EXPECT_EQ(FindRegistryString(userReg, u"Software\\Game", u"Install"), GetParam().expected)
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Types, WineValueData,
    testing::Values(
        DataCase{"plain string", R"("Install"="C:\\Game")", u"C:\\Game"},
        DataCase{"string ends at zero", R"("Install"="C:\\A\0B")", u"C:\\A"},
        DataCase{"c escapes", R"("Install"="a\tb\nc")", u"a\tb\nc"},
        DataCase{"short hex escape", R"("Install"="\x3042z")", u"あz"},
        DataCase{"empty string", R"("Install"="")", u""},
        DataCase{"unterminated quote", R"("Install"="C:\\Game)", std::nullopt},
        DataCase{"dword", R"("Install"=dword:00000001)", std::nullopt},
        DataCase{"multi string", R"("Install"=str(7):"a\0b\0")", std::nullopt},
        DataCase{"binary", R"("Install"=hex:43,00,00,00)", std::nullopt},
        DataCase{"hex string with zero", R"("Install"=hex(1):43,00,3a,00,00,00)", u"C:"},
        DataCase{"hex string continued", "\"Install\"=hex(2):43,00,\\\r\n  3a,00,00,00", u"C:"},
        DataCase{"hex string without zero", R"("Install"=hex(1):43,00,3a,00)", std::nullopt},
        DataCase{"empty hex string", R"("Install"=hex(1):)", u""},
        DataCase{"value of the next key", R"("Other"="x")", std::nullopt}),
    [](const testing::TestParamInfo<DataCase>& info) { return std::to_string(info.index); });

TEST(UnescapeRegistryText, StopsAtTheFirstUnescapedClosingCharacter) {
    std::size_t consumed = 0;
    EXPECT_EQ(UnescapeRegistryText(R"(a\]b] 17)", ']', &consumed), u"a]b");
    EXPECT_EQ(consumed, 5u);
    EXPECT_EQ(UnescapeRegistryText(R"(a\]b)", ']', &consumed), std::nullopt);
    EXPECT_EQ(UnescapeRegistryText("ends in escape\\", ']', &consumed), std::nullopt);
}

}  // namespace
}  // namespace Orvane::Cli
