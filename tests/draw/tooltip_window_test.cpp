// The tooltip control: tools added, moved, re-texted and deleted by id.
#include <string>

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "draw/tooltip_window.h"

namespace zandrel {
namespace {

class ToolTipWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // The tool's rectangle and text as the control holds them; false when it has no such tool.
    bool ReadTool(const ToolTipWindow& tip, UINT_PTR id, RECT* rect, std::wstring* text) {
        wchar_t buffer[256] = {};
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = owner_;
        info.uId = id;
        info.lpszText = buffer;
        if (!SendMessageW(tip.GetWindow(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
            return false;
        }
        *rect = info.rect;
        buffer[0] = 0;
        info.lpszText = buffer;
        SendMessageW(tip.GetWindow(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        *text = buffer;
        return true;
    }

    HWND owner_ = nullptr;
};

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

TEST_F(ToolTipWindowTest, ToolsAreAddedMovedRetextedAndDeletedById) {
    ToolTipWindow tip;
    ASSERT_NE(tip.Create(owner_), nullptr);
    EXPECT_EQ(tip.GetOwner(), owner_);
    const RECT first{10, 10, 36, 28};
    const RECT other{40, 10, 66, 28};
    ASSERT_TRUE(tip.AddTool(first, Utf8ToGbk("关闭"), 7));
    ASSERT_TRUE(tip.AddTool(other, "Help", 8));
    EXPECT_EQ(SendMessageW(tip.GetWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);

    RECT rect;
    std::wstring text;
    ASSERT_TRUE(ReadTool(tip, 7, &rect, &text));
    EXPECT_TRUE(SameRect(rect, first));
    EXPECT_EQ(text, L"关闭") << "GBK converted to UTF-16";

    const RECT moved{100, 50, 126, 68};
    tip.NewToolRect(7, moved);
    ASSERT_TRUE(ReadTool(tip, 7, &rect, &text));
    EXPECT_TRUE(SameRect(rect, moved));

    tip.UpdateTipText(7, Utf8ToGbk("最小化"));
    ASSERT_TRUE(ReadTool(tip, 7, &rect, &text));
    EXPECT_EQ(text, L"最小化");

    tip.DelTool(7);
    EXPECT_FALSE(ReadTool(tip, 7, &rect, &text));
    ASSERT_TRUE(ReadTool(tip, 8, &rect, &text)) << "other tools stay";
    EXPECT_EQ(text, L"Help");

    ASSERT_TRUE(tip.AddTool(moved, Utf8ToGbk("关闭"), 7)) << "the id can be used again";
    ASSERT_TRUE(ReadTool(tip, 7, &rect, &text));
    EXPECT_TRUE(SameRect(rect, moved));
}

TEST_F(ToolTipWindowTest, StyleColoursAndWidth) {
    ToolTipWindow plain;
    ASSERT_NE(plain.Create(owner_), nullptr);
    const LONG_PTR plainStyle = GetWindowLongPtrW(plain.GetWindow(), GWL_STYLE);
    EXPECT_TRUE(plainStyle & TTS_ALWAYSTIP);
    EXPECT_FALSE(plainStyle & TTS_BALLOON);

    ToolTipWindow balloon;
    ASSERT_NE(balloon.Create(owner_, true), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(balloon.GetWindow(), GWL_STYLE) & TTS_BALLOON);

    balloon.SetTipBkColor(RGB(34, 202, 221));
    balloon.SetTipTextColor(RGB(1, 2, 3));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(balloon.GetWindow(), TTM_GETTIPBKCOLOR, 0, 0)), RGB(34, 202, 221));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(balloon.GetWindow(), TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(1, 2, 3));
    balloon.SetMaxTipWidth(200);
    EXPECT_EQ(balloon.SetMaxTipWidth(300), 200) << "returns the previous width";
}

TEST_F(ToolTipWindowTest, ControlGoesWithTheObject) {
    HWND window = nullptr;
    {
        ToolTipWindow tip;
        window = tip.Create(owner_);
        ASSERT_TRUE(IsWindow(window));
        ToolTipWindow moved(std::move(tip));
        EXPECT_EQ(tip.GetWindow(), nullptr);
        EXPECT_EQ(moved.GetWindow(), window);
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace zandrel
