// The progress dialog as the run's ProgressSink: what reaches its controls, when it pumps,
// and how Cancel arrives.
#include "app/win32/progress_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/center_dialog.h"
#include "app/win32/resource_ids.h"
#include "message_spy.h"

namespace Orvane {
namespace {

using Test::MessageSpy;
using Test::SpiedMessage;

// Posted before an operation: it is dispatched (and logged) only if the operation pumps.
constexpr UINT kPumpMarker = WM_APP + 7;

void InitCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

std::string WindowText(HWND window) {
    char buffer[256] = {};
    ::GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

class ProgressDialog : public testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        dialog_ = std::make_shared<CProgressDlg>();
        ASSERT_TRUE(dialog_->Create(nullptr));
        bar_ = ::GetDlgItem(dialog_->Window(), IDC_PROGRESS_BAR);
        label_ = ::GetDlgItem(dialog_->Window(), IDC_PROGRESS_TEXT);
        spy_.Watch(bar_, {PBM_SETRANGE, PBM_SETPOS});
        spy_.Watch(label_, {WM_SETTEXT});
        spy_.Watch(dialog_->Window(), {kPumpMarker});
    }

    // The messages that the operation caused, in order; the pump shows as kPumpMarker.
    std::vector<UINT> Run(const std::function<void(ProgressSink&)>& operation) {
        spy_.Clear();
        ::PostMessageA(dialog_->Window(), kPumpMarker, 0, 0);
        operation(*dialog_);
        MSG left;
        ::PeekMessageA(&left, nullptr, kPumpMarker, kPumpMarker, PM_REMOVE);
        std::vector<UINT> messages;
        for (const SpiedMessage& spied : spy_.Log()) messages.push_back(spied.message);
        return messages;
    }

    LPARAM LastLParam() const { return spy_.Log().front().lParam; }

    std::shared_ptr<CProgressDlg> dialog_;
    HWND bar_ = nullptr;
    HWND label_ = nullptr;
    MessageSpy spy_;
};

struct SinkCall {
    const char* name;
    std::function<void(ProgressSink&)> call;
};

// The remembered values start as range (0, 0), position 0 and an empty text, although the bar
// itself starts at 0 to 100.
TEST_F(ProgressDialog, ValuesEqualToTheInitialOnesSendNothingAndDoNotPump) {
    const SinkCall calls[] = {
        {"SetPos(0)", [](ProgressSink& sink) { sink.SetPos(0); }},
        {"SetRange(0, 0)", [](ProgressSink& sink) { sink.SetRange(0, 0); }},
        {"SetText(\"\")", [](ProgressSink& sink) { sink.SetText(""); }},
    };
    for (const SinkCall& call : calls) {
        EXPECT_EQ(Run(call.call), std::vector<UINT>{}) << call.name;
    }
}

// A changed value reaches the control, then the queue is pumped; the same value again costs
// neither.
TEST_F(ProgressDialog, ChangedValueIsShownThenPumpedAndOnlyOnce) {
    const struct {
        SinkCall call;
        UINT sent;
    } cases[] = {
        {{"SetRange(0, 100)", [](ProgressSink& sink) { sink.SetRange(0, 100); }}, PBM_SETRANGE},
        {{"SetPos(7)", [](ProgressSink& sink) { sink.SetPos(7); }}, PBM_SETPOS},
        {{"SetText(\"abc\")", [](ProgressSink& sink) { sink.SetText("abc"); }}, WM_SETTEXT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.call.call), (std::vector<UINT>{c.sent, kPumpMarker})) << c.call.name;
        EXPECT_EQ(Run(c.call.call), std::vector<UINT>{}) << c.call.name << " again";
    }
    EXPECT_EQ(::SendMessageA(bar_, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(::SendMessageA(bar_, PBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(WindowText(label_), "abc");
}

TEST_F(ProgressDialog, TheBarGetsOnly16BitsOfTheHighBoundWhileTheFullValueIsRemembered) {
    Run([](ProgressSink& sink) { sink.SetRange(0, 70000); });
    EXPECT_EQ(LastLParam(), ProgressRangeParam(0, 70000));
    EXPECT_EQ(HIWORD(LastLParam()), 70000 & 0xFFFF);
    EXPECT_EQ(::SendMessageA(bar_, PBM_GETRANGE, FALSE, 0), 70000 & 0xFFFF);
    EXPECT_EQ(Run([](ProgressSink& sink) { sink.SetRange(0, 70000); }), std::vector<UINT>{});
    EXPECT_EQ(Run([](ProgressSink& sink) { sink.SetRange(0, 70000 & 0xFFFF); }),
              (std::vector<UINT>{PBM_SETRANGE, kPumpMarker}));
}

TEST(ProgressRangeParam, PutsTheHighBoundAboveTheLowBoundCutTo16Bits) {
    const struct {
        std::int32_t low, high;
        std::uint32_t expected;
    } cases[] = {
        {0, 100, 0x00640000},
        {5, 10, 0x000A0005},
        {-2, 10, 0x000AFFFE},
        {0, 70000, 0x11700000},
        {0x12345, 0x10002, 0x00022345},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<std::uint32_t>(ProgressRangeParam(c.low, c.high)), c.expected)
            << c.low << ", " << c.high;
    }
}

TEST_F(ProgressDialog, CancelPressedTwiceIsOneRequest) {
    HWND cancel = ::GetDlgItem(dialog_->Window(), IDCANCEL);
    for (int i = 0; i < 2; ++i) {
        ::SendMessageA(dialog_->Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(cancel));
    }
    EXPECT_TRUE(dialog_->TakeCancelRequest());
    EXPECT_FALSE(dialog_->TakeCancelRequest());
    EXPECT_TRUE(::IsWindow(dialog_->Window()));
}

// Cancel is the default button: Enter, Esc and the close box all arrive as Cancel, through the
// pump's dialog keyboard handling, and the dialog stays.
TEST_F(ProgressDialog, EnterEscAndCloseBoxRequestCancelAndKeepTheDialog) {
    HWND cancel = ::GetDlgItem(dialog_->Window(), IDCANCEL);
    const struct {
        const char* name;
        HWND target;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {"Esc", cancel, WM_KEYDOWN, VK_ESCAPE},
        {"Enter", cancel, WM_KEYDOWN, VK_RETURN},
        {"close box", dialog_->Window(), WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& c : cases) {
        ::PostMessageA(c.target, c.message, c.wParam, 0);
        dialog_->PumpMessages();
        EXPECT_TRUE(dialog_->TakeCancelRequest()) << c.name;
        EXPECT_TRUE(::IsWindow(dialog_->Window())) << c.name;
    }
}

TEST_F(ProgressDialog, StartsHiddenAndReleasingItDestroysTheWindow) {
    HWND window = dialog_->Window();
    EXPECT_FALSE(::IsWindowVisible(window));
    dialog_->Show();
    EXPECT_TRUE(::IsWindowVisible(window));
    dialog_.reset();
    EXPECT_FALSE(::IsWindow(window));
}

TEST(ProgressDialogWithoutWindow, UpdatesHaveNoEffectAndTheQueueIsStillPumped) {
    CProgressDlg dialog;
    dialog.SetText("text");
    dialog.SetRange(0, 5);
    dialog.SetPos(3);
    ::PostThreadMessageA(::GetCurrentThreadId(), kPumpMarker, 0, 0);
    dialog.PumpMessages();
    MSG left;
    EXPECT_FALSE(::PeekMessageA(&left, nullptr, kPumpMarker, kPumpMarker, PM_REMOVE));
    EXPECT_FALSE(dialog.TakeCancelRequest());
}

TEST(ProgressDialogPlacement, CentredOnTheMainDialogThatOwnsIt) {
    InitCommonControls();
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 120, 90, 500,
                                   320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    {
        CProgressDlg dialog;
        ASSERT_TRUE(dialog.Create(owner));
        EXPECT_EQ(::GetWindow(dialog.Window(), GW_OWNER), owner);
        RECT window{}, reference{};
        ::GetWindowRect(dialog.Window(), &window);
        ::GetWindowRect(owner, &reference);
        MONITORINFO monitor{sizeof monitor};
        ::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
        POINT expected = Win32::CenteredOrigin(window, reference, monitor.rcWork);
        EXPECT_EQ(window.left, expected.x);
        EXPECT_EQ(window.top, expected.y);
    }
    ::DestroyWindow(owner);
}

}  // namespace
}  // namespace Orvane
