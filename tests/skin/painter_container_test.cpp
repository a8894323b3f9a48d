// Container controls, control text colours and image buttons, in the containers gallery: what they record, that a
// second registration changes nothing, and what they put on the screen.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "base/dib_section.h"
#include "draw/skin_images.h"
#include "painter_capture.h"
#include "painter_gallery.h"
#include "skin/core/button_faces.h"
#include "skin/core/skin_engine.h"
#include "support/leak_probe.h"

namespace zandrel::test {
namespace {

INT_PTR PropValue(HWND hwnd, const char* key) {
    return reinterpret_cast<INT_PTR>(GetPropA(hwnd, key));
}

WNDPROC ProcOf(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

Bytes ImageBytes(SkinImageId id) {
    const auto span = SkinImageBytes(id);
    return Bytes(span.begin(), span.end());
}

std::wstring TipText(const ToolTipWindow& tip, HWND button) {
    wchar_t text[128] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = button;
    info.uId = 1;
    info.lpszText = text;
    SendMessageW(tip.GetWindow(), TTM_GETTEXTW, static_cast<WPARAM>(std::size(text)), reinterpret_cast<LPARAM>(&info));
    return text;
}

// The rectangle a control's client area covers on the screen.
RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

uint32_t ToRgb(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

// The rendered backdrop of the skinned window behind a control's client area.
ScreenPicture BackdropBehind(SkinEngine& engine, int windowIndex, HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, engine.Window(windowIndex)->hwnd, reinterpret_cast<POINT*>(&r), 2);
    ScreenPicture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateTopDownDib(picture.width, picture.height, &bits));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, picture.width, picture.height, engine.Window(windowIndex)->backdropDc, r.left, r.top,
           SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(source, source + static_cast<size_t>(picture.width) * picture.height);
    for (uint32_t& p : picture.pixels) {
        p &= 0xFFFFFF;
    }
    SelectObject(dc.get(), previous);
    return picture;
}

bool InsideAChild(HWND hwnd, int x, int y) {
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        if (IsWindowVisible(child) && PtInRect(&r, POINT{x, y})) {
            return true;
        }
    }
    return false;
}

class ContainerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(engine_.Startup());
        ASSERT_TRUE(gallery_.Create(engine_, GallerySettings::MainWindow, GalleryLayout::Containers));
        windowIndex_ = engine_.FindWindowIndex(gallery_.Hwnd());
        ASSERT_GE(windowIndex_, 1);
        SetCursorPos(2000, 2000);
    }
    void TearDown() override { SetCursorPos(2000, 2000); }

    ControlLists& Lists() { return *engine_.Controls(windowIndex_); }
    HWND Child(const wchar_t* cls, DWORD style, const wchar_t* text = L"") {
        HWND hwnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 500, 400, 120, 30, gallery_.Hwnd(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        created_.emplace_back(hwnd);
        return hwnd;
    }
    const ButtonEntry* ButtonOf(HWND hwnd) {
        const int index = FindEntry(Lists().buttons, hwnd);
        return EntryAt(Lists().buttons, index);
    }

    SkinEngine engine_;
    Gallery gallery_;
    int windowIndex_ = 0;
    std::vector<UniqueWindow> created_;
};

TEST_F(ContainerTest, ContainersAreRecordedWithTheirPropertiesAndOnlyOnesWithChildrenBecomeFrames) {
    const struct {
        const char* name;
        bool frame;
        COLORREF backColour;
    } cases[] = {{"tab control", true, RGB(255, 255, 255)}, {"rich edit", false, GetSysColor(COLOR_BTNFACE)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = gallery_.Control(c.name);
        ASSERT_NE(hwnd, nullptr);
        const int index = FindEntry(Lists().containers, hwnd);
        ASSERT_GE(index, 1);
        const ContainerControl& entry = *EntryAt(Lists().containers, index);
        EXPECT_EQ(entry.backColour, c.backColour);
        EXPECT_EQ(PropValue(hwnd, kPropContainerIndex), index);
        EXPECT_EQ(PropValue(hwnd, kPropContainerOwner), windowIndex_);
        ASSERT_NE(entry.previousWndProc, nullptr);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropContainerProc)), entry.previousWndProc);
        EXPECT_EQ(engine_.FindFrameIndex(windowIndex_, hwnd) >= 1, c.frame);
        // The frame's properties are its own; a plain container carries none of them.
        EXPECT_EQ(GetPropA(hwnd, kPropPreviousProc) != nullptr, c.frame);
    }
    // The controls on the tab's page are skinned as the window's own are.
    EXPECT_NE(ButtonOf(gallery_.Control("tab page button")), nullptr);
    EXPECT_GE(FindEntry(Lists().edits, gallery_.Control("tab page edit")), 1);
}

TEST_F(ContainerTest, RegisteringAContainerTwiceChangesNothing) {
    HWND tab = gallery_.Control("tab control");
    const size_t containers = Lists().containers.size();
    const size_t frames = engine_.Window(windowIndex_)->childFrames.size();
    const WNDPROC proc = ProcOf(tab);
    const INT_PTR previous = PropValue(tab, kPropContainerProc);
    engine_.SkinContainerControl(tab, RGB(1, 2, 3), RGB(200, 0, 0), 128);
    EXPECT_EQ(Lists().containers.size(), containers);
    EXPECT_EQ(engine_.Window(windowIndex_)->childFrames.size(), frames);
    EXPECT_EQ(ProcOf(tab), proc);
    EXPECT_EQ(PropValue(tab, kPropContainerProc), previous);
    EXPECT_EQ(EntryAt(Lists().containers, FindEntry(Lists().containers, tab))->backColour, RGB(255, 255, 255));
}

TEST_F(ContainerTest, AContainerTakesTheGivenBackColourAndOneOutsideEverySkinnedWindowIsLeftAlone) {
    HWND label = Child(L"STATIC", 0, L"x");
    engine_.SkinContainerControl(label, RGB(10, 20, 30));
    const ContainerControl* entry = EntryAt(Lists().containers, FindEntry(Lists().containers, label));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->backColour, RGB(10, 20, 30));

    UniqueWindow plain(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    UniqueWindow inside(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 20, 20, plain.get(), nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    const WNDPROC proc = ProcOf(inside.get());
    const size_t containers = Lists().containers.size();
    engine_.SkinContainerControl(inside.get());
    engine_.SkinContainerControl(nullptr);
    EXPECT_EQ(ProcOf(inside.get()), proc);
    EXPECT_EQ(GetPropA(inside.get(), kPropContainerProc), nullptr);
    EXPECT_EQ(Lists().containers.size(), containers);
}

TEST_F(ContainerTest, ControlTextColourGoesToTheControlOrTheEditBoxOfACombo) {
    HWND dropDown = Child(L"COMBOBOX", CBS_DROPDOWN);
    HWND dropList = Child(L"COMBOBOX", CBS_DROPDOWNLIST);
    HWND label = Child(L"STATIC", 0, L"x");
    HWND comboEdit = FindWindowExW(dropDown, nullptr, L"Edit", nullptr);
    ASSERT_NE(comboEdit, nullptr);
    const COLORREF colour = RGB(12, 34, 56);
    const struct {
        const char* name;
        HWND given;
        HWND target;  // nullptr: nothing changes
    } cases[] = {{"plain control", label, label},
                 {"combo box with an edit box", dropDown, comboEdit},
                 {"combo box without one", dropList, nullptr},
                 {"no window", nullptr, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Remove what the skinning pass may have set.
        for (HWND h : {label, dropDown, dropList, comboEdit}) {
            SetPropA(h, kPropTextColour, nullptr);
        }
        engine_.SetControlTextColour(c.given, colour);
        for (HWND h : {label, dropDown, dropList, comboEdit}) {
            EXPECT_EQ(PropValue(h, kPropTextColour), h == c.target ? static_cast<INT_PTR>(colour) : 0);
        }
    }
    // The control-colour handling hands the colour on.
    HDC dc = GetDC(label);
    engine_.SetControlTextColour(label, colour);
    SendMessageW(gallery_.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(GetTextColor(dc), colour);
    ReleaseDC(label, dc);
}

TEST_F(ContainerTest, NoPixelOfAContainersBackColourReachesTheScreen) {
    const ScreenPicture window = CaptureWindow(gallery_.Hwnd());
    ASSERT_GT(window.width, 0);
    for (const char* name : {"tab control", "rich edit"}) {
        SCOPED_TRACE(name);
        HWND hwnd = gallery_.Control(name);
        const uint32_t back = ToRgb(EntryAt(Lists().containers, FindEntry(Lists().containers, hwnd))->backColour);
        InvalidateRect(hwnd, nullptr, TRUE);
        Gallery::Pump();
        const ScreenPicture picture = CaptureScreen(ClientOnScreen(hwnd));
        ASSERT_GT(picture.width, 0);
        // The controls on a page draw what they like.
        int shown = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                shown += picture.At(x, y) == back && !InsideAChild(hwnd, x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(shown, 0);
        // Something of the control itself shows over the backdrop: its borders, tabs or text.
        EXPECT_GT(CountDifferent(picture, BackdropBehind(engine_, windowIndex_, hwnd)), 50);
    }
}

TEST_F(ContainerTest, MovingAContainerOrScrollingARichEditRepaintsTheWholeControl) {
    const struct {
        const char* name;
        UINT msg;
        WPARAM wParam;
    } cases[] = {{"tab control", WM_MOVE, 0}, {"rich edit", WM_MOVE, 0}, {"rich edit", WM_VSCROLL, SB_LINEDOWN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.msg));
        HWND hwnd = gallery_.Control(c.name);
        Gallery::Pump();
        ValidateRect(hwnd, nullptr);
        SendMessageW(hwnd, c.msg, c.wParam, 0);
        RECT dirty{};
        RECT client{};
        GetClientRect(hwnd, &client);
        ASSERT_TRUE(GetUpdateRect(hwnd, &dirty, FALSE));
        EXPECT_TRUE(EqualRect(&dirty, &client));
    }
    // Erasing leaves the backdrop alone.
    HWND tab = gallery_.Control("tab control");
    HDC dc = GetDC(tab);
    SetBkMode(dc, OPAQUE);
    EXPECT_EQ(SendMessageW(tab, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(tab, dc);
}

TEST_F(ContainerTest, SetButtonImageRecordsTheButtonOnceAndATipChangesOnlyWhenGiven) {
    HWND button = Child(L"BUTTON", BS_PUSHBUTTON, L"图片");
    const Bytes promotion = ImageBytes(SkinImageId::Promotion);
    const Bytes help = ImageBytes(SkinImageId::HelpGlyph);
    ASSERT_TRUE(engine_.SetButtonImage(button, promotion, true, "\xCC\xE1\xCA\xBE"));  // 提示
    const size_t buttons = Lists().buttons.size();
    const int index = FindEntry(Lists().buttons, button);
    const WNDPROC proc = ProcOf(button);
    const ButtonEntry* entry = ButtonOf(button);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kind, kImageButton);
    EXPECT_EQ(entry->picture, promotion);
    EXPECT_TRUE(entry->pictureBesideText);
    EXPECT_EQ(entry->text, "\xCD\xBC\xC6\xAC");  // 图片
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(PropValue(button, kPropWindowIndex), index);
    EXPECT_EQ(PropValue(button, kPropOwnerIndex), windowIndex_);
    ASSERT_NE(entry->toolTip.GetWindow(), nullptr);
    EXPECT_EQ(TipText(entry->toolTip, button), L"提示");

    // Again, with another picture and tip: the same entry, index and procedure.
    ASSERT_TRUE(engine_.SetButtonImage(button, help, false, "\xD0\xC2"));  // 新
    EXPECT_EQ(Lists().buttons.size(), buttons);
    EXPECT_EQ(FindEntry(Lists().buttons, button), index);
    EXPECT_EQ(ProcOf(button), proc);
    EXPECT_EQ(entry->picture, help);
    EXPECT_FALSE(entry->pictureBesideText);
    const HWND tip = entry->toolTip.GetWindow();
    EXPECT_EQ(TipText(entry->toolTip, button), L"新");

    // Four pictures and no tip: the kind changes, the tip stays.
    ASSERT_TRUE(engine_.SetButtonStateImages(button, help, promotion));
    EXPECT_EQ(Lists().buttons.size(), buttons);
    EXPECT_EQ(entry->kind, kStateImageButton);
    EXPECT_EQ(entry->hoverPicture, promotion);
    EXPECT_TRUE(entry->pressedPicture.empty());
    EXPECT_EQ(entry->toolTip.GetWindow(), tip);
    EXPECT_EQ(TipText(entry->toolTip, button), L"新");
}

TEST_F(ContainerTest, ImageButtonsAreMadeOnlyInsideSkinnedWindowsAndACheckBoxBecomesOwnerDrawn) {
    const Bytes help = ImageBytes(SkinImageId::HelpGlyph);
    UniqueWindow plain(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    UniqueWindow outside(CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_PUSHBUTTON, 0, 0, 20, 20, plain.get(),
                                         nullptr, GetModuleHandleW(nullptr), nullptr));
    const WNDPROC proc = ProcOf(outside.get());
    EXPECT_FALSE(engine_.SetButtonImage(outside.get(), help, true, "x"));
    EXPECT_FALSE(engine_.SetButtonStateImages(outside.get(), help));
    EXPECT_FALSE(engine_.SetButtonImage(nullptr, help, true, "x"));
    EXPECT_EQ(ProcOf(outside.get()), proc);
    EXPECT_EQ(GetWindowLongPtrW(outside.get(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    // A check box the skinning pass took over keeps its entry and becomes an owner-drawn image button.
    HWND check = gallery_.Control("tab page check box");
    const ButtonEntry* entry = ButtonOf(check);
    ASSERT_NE(entry, nullptr);
    const size_t buttons = Lists().buttons.size();
    ASSERT_TRUE(engine_.SetButtonStateImages(check, help));
    EXPECT_EQ(Lists().buttons.size(), buttons);
    EXPECT_EQ(ButtonOf(check), entry);
    EXPECT_EQ(entry->kind, kStateImageButton);
    EXPECT_EQ(GetWindowLongPtrW(check, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ContainerTest, AnImageButtonsHoverFaceDiffersFromItsNormalFaceAndGoesBackToIt) {
    for (const char* name : {"image beside text", "image above text", "state images", "state images framed"}) {
        SCOPED_TRACE(name);
        HWND button = gallery_.Control(name);
        InvalidateRect(button, nullptr, TRUE);
        Gallery::Pump();
        const ScreenPicture normal = CaptureWindow(button);
        RECT r{};
        GetWindowRect(button, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        Gallery::Pump();
        const ScreenPicture hovered = CaptureWindow(button);
        EXPECT_GT(CountDifferent(normal, hovered), 10);
        SetCursorPos(2000, 2000);
        SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(normal, CaptureWindow(button)), 0);
    }
}

// The plain push-button face the skin would draw for the button, rendered off the screen.
ScreenPicture PushFaceOf(SkinEngine& engine, HWND button, UINT state) {
    RECT client{};
    GetClientRect(button, &client);
    ScreenPicture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateTopDownDib(client.right, client.bottom, &bits));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    PaintPushButtonFace(engine, button, dc.get(), state, client);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(source, source + static_cast<size_t>(client.right) * client.bottom);
    for (uint32_t& p : picture.pixels) {
        p &= 0xFFFFFF;
    }
    SelectObject(dc.get(), previous);
    return picture;
}

TEST_F(ContainerTest, AButtonWithoutAPictureItCanShowKeepsThePlainSkinnedFace) {
    const Bytes broken{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    const struct {
        const char* name;
        bool stateImages;
        Bytes picture;
    } cases[] = {{"one picture that does not decode", false, broken},
                 {"one empty picture", false, {}},
                 {"state pictures that do not decode", true, broken}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = Child(L"BUTTON", BS_PUSHBUTTON, L"按钮");
        ASSERT_TRUE(c.stateImages ? engine_.SetButtonStateImages(button, c.picture, c.picture, c.picture, c.picture)
                                  : engine_.SetButtonImage(button, c.picture, true, ""));
        InvalidateRect(button, nullptr, TRUE);
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(CaptureWindow(button), PushFaceOf(engine_, button, 0)), 0);
        // Hover and disabled faces draw too.
        RECT r{};
        GetWindowRect(button, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(CaptureWindow(button), PushFaceOf(engine_, button, ODS_HOTLIGHT)), 0);
        SetCursorPos(2000, 2000);
        SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        EnableWindow(button, FALSE);
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(CaptureWindow(button), PushFaceOf(engine_, button, ODS_DISABLED)), 0);
        created_.pop_back();  // the next case's button takes the same place
        Gallery::Pump();
    }
}

TEST_F(ContainerTest, PaintingContainersAndImageButtonsKeepsTheGdiCount) {
    const auto cycle = [&] {
        for (const char* name : {"tab control", "rich edit"}) {
            HWND hwnd = gallery_.Control(name);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
            UpdateWindow(hwnd);
        }
        for (const char* name : {"image beside text", "state images", "undecodable picture"}) {
            HWND button = gallery_.Control(name);
            SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
            SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        }
        Gallery::Pump();
    };
    for (int i = 0; i < 3; ++i) {
        cycle();
    }
    const long before = CountGdiObjects();
    for (int i = 0; i < 40; ++i) {
        cycle();
    }
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_EQ(engine_.MemoryDcCount(), 0u);
}

TEST(ContainerLifetime, DestroyingTheEngineGivesContainersAndImageButtonsTheirProceduresBack) {
    Gallery gallery;
    auto engine = std::make_unique<SkinEngine>();
    ASSERT_TRUE(engine->Startup());
    ASSERT_TRUE(gallery.Create(*engine, GallerySettings::MainWindow, GalleryLayout::Containers));
    ControlLists& lists = *engine->Controls(engine->FindWindowIndex(gallery.Hwnd()));
    // The procedures under the skin's (a tooltip's hook in the image button's chain stays: it is the tooltip's).
    const struct {
        const char* name;
        WNDPROC under;
    } cases[] = {
        {"tab control",
         EntryAt(lists.containers, FindEntry(lists.containers, gallery.Control("tab control")))->previousWndProc},
        {"rich edit",
         EntryAt(lists.containers, FindEntry(lists.containers, gallery.Control("rich edit")))->previousWndProc},
        {"image beside text",
         EntryAt(lists.buttons, FindEntry(lists.buttons, gallery.Control("image beside text")))->previousWndProc},
        {"state images",
         EntryAt(lists.buttons, FindEntry(lists.buttons, gallery.Control("state images")))->previousWndProc},
    };
    engine.reset();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = gallery.Control(c.name);
        ASSERT_NE(c.under, nullptr);
        EXPECT_EQ(ProcOf(hwnd), c.under);
        for (const char* key : {kPropContainerIndex, kPropContainerOwner, kPropContainerProc, kPropWindowIndex,
                                kPropOwnerIndex, kPropPreviousProc}) {
            EXPECT_EQ(GetPropA(hwnd, key), nullptr) << key;
        }
    }
}

}  // namespace
}  // namespace zandrel::test
