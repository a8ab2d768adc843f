// Which names a Windows folder can hold, decided the same way on every build.
#include "commands/windows_name.h"

#include <gtest/gtest.h>

#include <string>

#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;
using Test::Utf8;

struct Case {
    std::string text;  // a name or a path, code page 932
    bool holdable;
};

TEST(WindowsName, RefusesWhatWindowsCannotHold) {
    const Case cases[] = {
        {"readme.txt", true},
        {Cp932(u8"表.bmp"), true},   // 95 5C: the trail byte equals '\'
        {Cp932(u8"ソ"), true},       // 83 5C
        {Cp932(u8"ポ|"), false},     // 83 7C is one character, the '|' after it is not
        {Cp932(u8"ポ"), true},       // 83 7C: the trail byte equals '|'
        {".hidden", true},
        {"CONSOLE.txt", true},
        {"nul1", true},
        {"COM0", true},
        {"LPT10", true},
        {"a?b.txt", false},
        {"x|y.txt", false},
        {"lt<gt>.txt", false},
        {"a*b", false},
        {"say\"hi\"", false},
        {"c:d", false},
        {"back\\slash.txt", false},
        {"for/ward", false},
        {"tab\there", false},
        {std::string("zero\0byte", 9), false},
        {"trail.", false},
        {"sp ", false},
        {"...", false},
        {"", false},
        {"NUL", false},
        {"nul.txt", false},
        {"Con", false},
        {"prn.tar.gz", false},
        {"aux", false},
        {"NUL .txt", false},
        {"com1", false},
        {"COM9.log", false},
        {"lpt1", false},
        {"Lpt9", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWindowsName(c.text), c.holdable) << Utf8(c.text);
    }
}

TEST(WindowsName, ChecksEveryComponentOfAPath) {
    const Case cases[] = {
        {"data\\a.arc", true},
        {"data/sub/a.arc", true},
        {"data\\", true},
        {".\\a\\..\\b.txt", true},  // steps through folders are the climbing rule's
        {Cp932(u8"表\\ソ\\a.txt"), true},
        {"", true},
        {"aux\\a.txt", false},
        {"a\\b.\\c.txt", false},
        {"a\\b?\\c.txt", false},
        {"a/NUL", false},
        {"a\\sp \\b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasWindowsNames(c.text), c.holdable) << Utf8(c.text);
    }
}

}  // namespace
}  // namespace Orvane
