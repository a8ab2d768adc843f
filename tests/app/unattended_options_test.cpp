// The command line of the Windows program, parsed the same way on every build.
#include "app/unattended_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/unattended_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

TEST(SplitCommandLine, DropsTheProgramAndHonoursQuotes) {
    struct Case {
        const char16_t* line;
        std::vector<std::u16string> arguments;
    };
    const std::vector<Case> cases = {
        {u"patch.exe", {}},
        {u"\"C:\\My Games\\patch.exe\"", {}},
        {u"\"C:\\My Games\\patch.exe\" /SILENT", {u"/SILENT"}},
        {u"patch.exe  /SILENT\t/LOG=a.txt ", {u"/SILENT", u"/LOG=a.txt"}},
        {u"patch.exe /DIR=\"C:\\My Game\\\" /VERYSILENT", {u"/DIR=C:\\My Game\\", u"/VERYSILENT"}},
        {u"patch.exe \"/DIR=C:\\a b\"", {u"/DIR=C:\\a b"}},
        {u"patch.exe \"\"", {u""}},
        {u"patch.exe /DIR=\"C:\\unclosed x", {u"/DIR=C:\\unclosed x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases.data());
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments);
    }
}

TEST(ParseUnattendedOptions, KnowsTheSwitchesInAnyCase) {
    struct Case {
        const char16_t* line;
        UiLevel ui;
        bool help;
        std::optional<std::u16string> folder;
        std::optional<std::u16string> log;
        std::u16string bad;
    };
    const std::vector<Case> cases = {
        {u"p.exe", UiLevel::Interactive, false, {}, {}, u""},
        {u"p.exe /silent", UiLevel::Silent, false, {}, {}, u""},
        {u"p.exe /VerySilent /SILENT", UiLevel::VerySilent, false, {}, {}, u""},
        {u"p.exe /SILENT /VERYSILENT", UiLevel::VerySilent, false, {}, {}, u""},
        {u"p.exe /? ", UiLevel::Interactive, true, {}, {}, u""},
        {u"p.exe /help", UiLevel::Interactive, true, {}, {}, u""},
        {u"p.exe /dir=\"C:\\ゲーム\" /Log=\"C:\\l og.txt\"", UiLevel::Interactive, false,
         u"C:\\ゲーム", u"C:\\l og.txt", u""},
        {u"p.exe /DIR=a /DIR=b", UiLevel::Interactive, false, u"b", {}, u""},
        {u"p.exe /VERYSILENT /DIR=", UiLevel::VerySilent, false, {}, {}, u"/DIR="},
        {u"p.exe /DIR", UiLevel::Interactive, false, {}, {}, u"/DIR"},
        {u"p.exe /LOG /SILENT", UiLevel::Silent, false, {}, {}, u"/LOG"},
        {u"p.exe /SILENTLY", UiLevel::Interactive, false, {}, {}, u"/SILENTLY"},
        {u"p.exe -SILENT", UiLevel::Interactive, false, {}, {}, u"-SILENT"},
        {u"p.exe C:\\Game /x", UiLevel::Interactive, false, {}, {}, u"C:\\Game"},
        {u"p.exe /SILENT \"\"", UiLevel::Silent, false, {}, {}, u"\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases.data());
        UnattendedOptions options = ParseUnattendedOptions(c.line);
        EXPECT_EQ(options.ui, c.ui);
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.logFile, c.log);
        EXPECT_EQ(options.badArgument, c.bad);
    }
}

// A folder is taken only when code page 932 gives back exactly the same name.
TEST(AnsiFolder, RefusesWhatCodePage932CannotHoldExactly) {
    EXPECT_EQ(AnsiFolder(u"C:\\ゲーム表"), Orvane::Test::Cp932(u8"C:\\ゲーム表"));
    EXPECT_EQ(AnsiFolder(u"C:\\①"), Orvane::Test::Cp932(u8"C:\\①"));
    EXPECT_EQ(AnsiFolder(u"C:\\caf\u00E9"), std::nullopt) << "e-acute has only a look-alike";
    EXPECT_EQ(AnsiFolder(u"C:\\\uD55C\uAD6D"), std::nullopt);
    EXPECT_EQ(AnsiFolder(u"C:\\\U0001F600"), std::nullopt);
    EXPECT_EQ(AnsiFolder(u"C:\\" + std::u16string(256, u'a')), "C:\\" + std::string(256, 'a'));
    EXPECT_EQ(AnsiFolder(u"C:\\" + std::u16string(257, u'a')), std::nullopt) << "260 bytes";
}

}  // namespace
}  // namespace Orvane
