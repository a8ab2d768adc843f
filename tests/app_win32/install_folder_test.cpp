// The installation folder proposed from the registry value Install.
#include "platform/win32/install_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "app/win32/windows_ui.h"
#include "platform/os.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;
using Win32::InstallFolderFromValue;
using Win32::ReadInstallFolder;

constexpr char kKey[] = "Software\\OrvpatchTests\\InstallFolder";

// A stored value and the folder it gives.
struct ValueCase {
    const char* name;
    DWORD type;
    std::string bytes;
    std::string expected;
};

class InstallFolder : public testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

    // Stores the value with exactly the given bytes (code page 932 text as UTF-16 for the
    // string types, so that a missing terminator stays missing).
    void Store(DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                    &key, nullptr),
                  ERROR_SUCCESS);
        std::u16string wide = Os::AnsiToWide(bytes);
        if (!bytes.empty() && bytes.back() == '\0') wide.push_back(u'\0');
        bool isString = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        const void* data = isString ? static_cast<const void*>(wide.data()) : bytes.data();
        DWORD size = static_cast<DWORD>(isString ? wide.size() * 2 : bytes.size());
        ::RegSetValueExW(key, L"Install", 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
};

TEST(InstallFolderFromValue, OnlyTerminatedStringsGiveAFolder) {
    const std::string zero(1, '\0');
    const ValueCase cases[] = {
        {"string", REG_SZ, "C:\\Game" + zero, "C:\\Game"},
        {"expandable string, not expanded", REG_EXPAND_SZ, "%WINDIR%" + zero, "%WINDIR%"},
        {"no bytes", REG_SZ, "", ""},
        {"only the terminator", REG_SZ, zero, ""},
        {"last byte not zero", REG_SZ, "C:\\Game", ""},
        {"text up to its first zero", REG_SZ, "C:\\A" + zero + "B" + zero, "C:\\A"},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), ""},
        {"a multi-string", REG_MULTI_SZ, "C:\\Game" + zero + zero, ""},
        {"binary data", REG_BINARY, "C:\\Game" + zero, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InstallFolderFromValue(c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())),
                  c.expected)
            << c.name;
    }
}

// Through the registry. (A string stored without its terminator cannot be tried here: Wine
// terminates string data itself when it hands it to the A function.)
TEST_F(InstallFolder, StoredValues) {
    const std::string zero(1, '\0');
    const ValueCase cases[] = {
        {"string", REG_SZ, "C:\\Game" + zero, "C:\\Game"},
        {"expandable string, not expanded", REG_EXPAND_SZ, "%WINDIR%\\Game" + zero, "%WINDIR%\\Game"},
        {"Japanese, ending in 表", REG_SZ, Cp932(u8"C:\\ゲーム\\表") + zero, Cp932(u8"C:\\ゲーム\\表")},
        {"only the terminator", REG_SZ, zero, ""},
        {"259 characters and the terminator fit", REG_SZ, std::string(259, 'a') + zero,
         std::string(259, 'a')},
        {"260 characters and the terminator do not", REG_SZ, std::string(260, 'a') + zero, ""},
        {"a number is not a folder", REG_DWORD, std::string("\x01\0\0\0", 4), ""},
    };
    for (const auto& c : cases) {
        Store(c.type, c.bytes);
        EXPECT_EQ(ReadInstallFolder(kKey), c.expected) << c.name;
    }
}

TEST_F(InstallFolder, MissingKeyOrValueGivesNoFolder) {
    EXPECT_EQ(ReadInstallFolder(kKey), "");
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(ReadInstallFolder(kKey), "");
}

}  // namespace
}  // namespace Orvane
