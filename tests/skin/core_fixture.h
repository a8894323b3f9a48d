// Real top-level windows skinned by a started engine, with a window procedure underneath that records what the
// engine sends on (WM_SYSCOMMAND, WM_NCLBUTTONDOWN) instead of letting Windows run a modal move or size loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "skin/core/skin_engine.h"

namespace zandrel::test {

inline constexpr UINT kPingMessage = WM_APP + 7;
inline constexpr LRESULT kPingAnswer = 42;

struct SentCommand {
    UINT msg;
    WPARAM wParam;
};

// What the recording procedure saw, for every window of the class.
inline std::vector<SentCommand>& Recorded() {
    static std::vector<SentCommand> recorded;
    return recorded;
}

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SYSCOMMAND:
        case WM_NCLBUTTONDOWN: Recorded().push_back({msg, wParam}); return 0;
        case kPingMessage: return kPingAnswer;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

inline const wchar_t* RecordingClass() {
    static const wchar_t kClass[] = L"ZandrelCoreTestWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        registered = RegisterClassW(&wc) != 0;
    }
    return kClass;
}

// A borderless popup (its window rectangle is its client area), hidden unless WS_VISIBLE is passed.
inline HWND MakeWindow(int width, int height, DWORD style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX) {
    return CreateWindowExW(0, RecordingClass(), L"Core test", WS_POPUP | style, 30, 30, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

inline LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

inline INT_PTR PropValue(HWND hwnd, const char* key) {
    return reinterpret_cast<INT_PTR>(GetPropA(hwnd, key));
}

// Channels of a GetPixel colour within tolerance.
inline ::testing::AssertionResult ColourNear(COLORREF actual, COLORREF expected, int tolerance) {
    const int d[] = {GetRValue(actual) - GetRValue(expected), GetGValue(actual) - GetGValue(expected),
                     GetBValue(actual) - GetBValue(expected)};
    for (int v : d) {
        if (v > tolerance || v < -tolerance) {
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not within " << std::dec
                                                 << tolerance << " of 0x" << std::hex << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

inline int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(engine_.Startup());
        Recorded().clear();
    }

    void TearDown() override {
        for (HWND hwnd : windows_) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
    }

    // A window skinned with the options; its index in the engine is returned through the record.
    HWND Skinned(int width, int height, SkinWindowOptions options, DWORD style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX) {
        HWND hwnd = MakeWindow(width, height, style);
        EXPECT_NE(hwnd, nullptr);
        windows_.push_back(hwnd);
        EXPECT_TRUE(engine_.SkinWindow(hwnd, options));
        return hwnd;
    }

    SkinnedWindow& Record(HWND hwnd) {
        SkinnedWindow* w = engine_.Window(engine_.IndexFromProperty(hwnd));
        EXPECT_NE(w, nullptr);
        return *w;
    }

    // Renders the backdrop without touching the screen.
    void Render(HWND hwnd) { engine_.RenderWindowBackdrop(engine_.IndexFromProperty(hwnd), nullptr, false); }

    COLORREF BackdropPixel(HWND hwnd, int x, int y) {
        GdiFlush();
        return GetPixel(Record(hwnd).backdropDc, x, y);
    }

    SkinEngine engine_;
    std::vector<HWND> windows_;
};

}  // namespace zandrel::test
