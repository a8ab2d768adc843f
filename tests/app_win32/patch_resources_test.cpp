// The resources of the built patch.exe: both dialogs control by control, the icon's images,
// the version resource and the manifest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/resource_ids.h"
#include "dialog_template.h"

namespace Orvane {
namespace {

using Test::DialogControl;
using Test::DialogTemplate;
using Test::ReadDialogTemplate;

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr char16_t kDialogFont[] = u"ＭＳ Ｐゴシック";

class PatchResources : public testing::Test {
protected:
    void SetUp() override {
        module_ = ::LoadLibraryExA(ORVPATCH_PATCH_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << ORVPATCH_PATCH_EXE;
    }
    void TearDown() override {
        if (module_ != nullptr) ::FreeLibrary(module_);
    }

    DialogTemplate Dialog(int id) const {
        std::optional<DialogTemplate> dialog = ReadDialogTemplate(module_, id);
        EXPECT_TRUE(dialog.has_value()) << "dialog " << id;
        return dialog.value_or(DialogTemplate{});
    }

    std::string Resource(int id, int type) const {
        HRSRC found = ::FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
        if (found == nullptr) return {};
        auto* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
        return std::string(data, ::SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

void ExpectControls(const DialogTemplate& dialog, const std::vector<DialogControl>& expected) {
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dialog.controls[i], expected[i]) << "control " << i << ", ID " << expected[i].id;
    }
}

TEST_F(PatchResources, MainDialog) {
    DialogTemplate dialog = Dialog(IDD_MAIN);
    EXPECT_EQ(dialog.style, DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(dialog.exStyle, static_cast<std::uint32_t>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.width, 224);
    EXPECT_EQ(dialog.height, 140);
    EXPECT_EQ(dialog.caption, u"修正プログラム");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.weight, 400);
    EXPECT_EQ(dialog.typeface, kDialogFont);
    ExpectControls(dialog, {
        {IDOK, u"button", u"実行(&R)", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 100, 112, 52, 14},
        {IDCANCEL, u"button", u"キャンセル", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 160, 112, 52, 14},
        {IDC_TITLE, u"static", u"スタティック", kChild | SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, 12, 12, 200, 20},
        {-1, u"static", u"インストール先のフォルダを指定してください", kChild | SS_LEFT | WS_GROUP, 0, 12, 47, 132, 9},
        {IDC_FOLDER, u"edit", u"", kChild | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER, 0, 12, 60, 200, 13},
        {IDC_BROWSE, u"button", u"参照(&B)...", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 162, 44, 50, 14},
        {IDC_VERSION, u"static", u"System 1.0.0.0", kChild | SS_LEFT | WS_GROUP, 0, 112, 80, 100, 8},
    });
}

TEST_F(PatchResources, ProgressDialog) {
    DialogTemplate dialog = Dialog(IDD_PROGRESS);
    EXPECT_EQ(dialog.style, DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.width, 240);
    EXPECT_EQ(dialog.height, 70);
    EXPECT_EQ(dialog.caption, u"修正プログラムの実行");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.weight, 400);
    EXPECT_EQ(dialog.typeface, kDialogFont);
    ExpectControls(dialog, {
        {IDCANCEL, u"button", u"キャンセル", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 182, 46, 50, 14},
        {IDC_PROGRESS_TEXT, u"static", u"Static", kChild | SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, 8, 12, 224, 12},
        {IDC_PROGRESS_BAR, u"msctls_progress32", u"", kChild | WS_BORDER | PBS_SMOOTH, 0, 8, 28, 224, 12},
    });
}

// The icon group lists its images: 256 pixels are stored as a width of 0.
TEST_F(PatchResources, IconHasFourSizes) {
    std::string group = Resource(IDI_PATCH, 14);  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    auto count = static_cast<std::uint8_t>(group[4]);
    ASSERT_EQ(group.size(), 6u + count * 14u);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        int width = static_cast<std::uint8_t>(group[6 + i * 14]);
        sizes.push_back(width == 0 ? 256 : width);
    }
    EXPECT_EQ(sizes, (std::vector<int>{256, 48, 32, 16}));
    EXPECT_TRUE(Resource(129, 14).empty()) << "the progress dialog's icon 129 must stay absent";
}

TEST_F(PatchResources, ManifestAsksForNoElevationAndCommonControls6) {
    std::string manifest = Resource(1, 24);  // CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST
    EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(R"(uiAccess="false")"), std::string::npos);
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
              std::string::npos);
    EXPECT_NE(manifest.find(R"(processorArchitecture="x86")"), std::string::npos);
}

TEST(PatchVersion, ProductVersionIsTheProjectVersion) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(ORVPATCH_PATCH_EXE, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(ORVPATCH_PATCH_EXE, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS, (ORVPATCH_VERSION_MAJOR << 16) | ORVPATCH_VERSION_MINOR);
    EXPECT_EQ(fixed->dwProductVersionLS, (ORVPATCH_VERSION_PATCH << 16) | ORVPATCH_VERSION_TWEAK);
    void* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length));
    EXPECT_EQ(length, 4u);
}

}  // namespace
}  // namespace Orvane
