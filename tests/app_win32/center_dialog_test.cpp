// Centring dialogs on a reference window or on the work area, kept inside the work area.
#include "app/win32/center_dialog.h"

#include <gtest/gtest.h>

namespace Orvane {
namespace {

using Win32::CenterDialog;
using Win32::CenteredOrigin;

TEST(CenteredOrigin, CentresAndKeepsTheWindowInsideTheWorkArea) {
    const RECT area{0, 0, 1024, 768};
    const struct {
        const char* name;
        RECT window, reference, workArea;
        POINT expected;
    } cases[] = {
        {"centred", {0, 0, 100, 50}, {0, 0, 400, 300}, area, {150, 125}},
        {"odd sizes halve down", {0, 0, 101, 51}, {0, 0, 401, 301}, area, {150, 125}},
        {"negative halves round toward zero", {0, 0, 101, 51}, {-401, -301, 0, 0},
         {-1000, -1000, 1000, 1000}, {-250, -175}},
        {"moved left to end at the right edge", {0, 0, 200, 100}, {900, 0, 1100, 300}, area,
         {824, 100}},
        {"moved right to start at the left edge", {0, 0, 200, 100}, {-150, 0, 50, 300}, area,
         {0, 100}},
        {"moved up to end at the bottom edge", {0, 0, 100, 200}, {0, 700, 400, 900}, area,
         {150, 568}},
        {"moved down to start at the top edge", {0, 0, 100, 200}, {0, -200, 400, 0}, area,
         {150, 0}},
        {"wider and taller than the area: left and top edges win", {0, 0, 2000, 1000}, area,
         area, {0, 0}},
        {"work area not at the origin", {0, 0, 100, 100}, {1024, 0, 2048, 768},
         {1024, 0, 2048, 740}, {1486, 334}},
        {"window position does not matter", {500, 500, 600, 550}, {0, 0, 400, 300}, area,
         {150, 125}},
    };
    for (const auto& c : cases) {
        POINT origin = CenteredOrigin(c.window, c.reference, c.workArea);
        EXPECT_EQ(origin.x, c.expected.x) << c.name;
        EXPECT_EQ(origin.y, c.expected.y) << c.name;
    }
}

HWND Popup(int x, int y, int width, int height, DWORD style, HWND owner = nullptr) {
    return ::CreateWindowExA(0, "STATIC", "", WS_POPUP | style, x, y, width, height, owner,
                             nullptr, nullptr, nullptr);
}

RECT RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Where CenterDialog must put the dialog: centred on `on`, kept inside the work area.
void ExpectCentredOn(HWND dialog, const RECT& on, const char* name) {
    RECT rect = RectOf(dialog);
    POINT expected = CenteredOrigin(rect, on, WorkAreaOf(dialog));
    EXPECT_EQ(rect.left, expected.x) << name;
    EXPECT_EQ(rect.top, expected.y) << name;
    EXPECT_EQ(rect.right - rect.left, 300) << name << ": the size must not change";
}

class CenterDialogOnScreen : public testing::Test {
protected:
    void TearDown() override {
        if (dialog_) ::DestroyWindow(dialog_);
        if (owner_) ::DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(CenterDialogOnScreen, WithoutOwnerOnTheWorkArea) {
    dialog_ = Popup(3, 4, 300, 200, 0);
    CenterDialog(dialog_);
    ExpectCentredOn(dialog_, WorkAreaOf(dialog_), "no owner");
    EXPECT_FALSE(::IsWindowVisible(dialog_)) << "centring must not show the window";
}

TEST_F(CenterDialogOnScreen, OnAVisibleOwner) {
    owner_ = Popup(100, 80, 500, 400, WS_VISIBLE);
    dialog_ = Popup(0, 0, 300, 200, 0, owner_);
    CenterDialog(dialog_);
    ExpectCentredOn(dialog_, RectOf(owner_), "visible owner");
}

TEST_F(CenterDialogOnScreen, OnTheWorkAreaWhenTheOwnerIsHidden) {
    owner_ = Popup(100, 80, 500, 400, 0);
    dialog_ = Popup(0, 0, 300, 200, 0, owner_);
    CenterDialog(dialog_);
    ExpectCentredOn(dialog_, WorkAreaOf(dialog_), "hidden owner");
}

TEST_F(CenterDialogOnScreen, OnTheWorkAreaWhenTheOwnerIsMinimised) {
    owner_ = Popup(100, 80, 500, 400, WS_VISIBLE | WS_MINIMIZE);
    dialog_ = Popup(0, 0, 300, 200, 0, owner_);
    CenterDialog(dialog_);
    ExpectCentredOn(dialog_, WorkAreaOf(dialog_), "minimised owner");
}

TEST_F(CenterDialogOnScreen, AnOwnerAtTheEdgeKeepsTheDialogInsideTheWorkArea) {
    RECT area = WorkAreaOf(nullptr);
    owner_ = Popup(area.right - 120, area.bottom - 90, 200, 150, WS_VISIBLE);
    dialog_ = Popup(0, 0, 300, 200, 0, owner_);
    CenterDialog(dialog_);
    RECT rect = RectOf(dialog_);
    EXPECT_EQ(rect.right, WorkAreaOf(dialog_).right);
    EXPECT_EQ(rect.bottom, WorkAreaOf(dialog_).bottom);
}

TEST_F(CenterDialogOnScreen, AGivenReferenceWinsOverTheOwner) {
    owner_ = Popup(0, 0, 200, 150, WS_VISIBLE);
    HWND reference = Popup(400, 300, 400, 300, WS_VISIBLE);
    dialog_ = Popup(0, 0, 300, 200, 0, owner_);
    CenterDialog(dialog_, reference);
    ExpectCentredOn(dialog_, RectOf(reference), "given reference");
    ::DestroyWindow(reference);
}

}  // namespace
}  // namespace Orvane
