// The painters over the real controls of the skin gallery: what the install pass takes over (once), the
// owner-draw dispatch, hover repaints and their pixels, non-client painting of edit boxes and the repaint of the
// controls after a WM_PRINTCLIENT that renders the backdrop afresh.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "base/dib_section.h"
#include "base/win_handles.h"
#include "painter_capture.h"
#include "painter_gallery.h"
#include "skin/core/control_pass.h"
#include "skin/core/control_subclass.h"
#include "skin/core/skin_engine.h"

namespace zandrel::test {
namespace {

constexpr uint32_t kOwnGreen = 0x78B478;  // the gallery's own face of its owner-drawn button

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

struct ListSizes {
    size_t buttons, edits, lists, trackbars, progressBars, combos, upDowns, headers;
    bool operator==(const ListSizes&) const = default;
};

ListSizes SizesOf(const ControlLists& c) {
    return {c.buttons.size(),      c.edits.size(),  c.lists.size(),   c.trackbars.size(),
            c.progressBars.size(), c.combos.size(), c.upDowns.size(), c.headers.size()};
}

class PainterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(engine_.Startup());
        SetCursorPos(2000, 2000);  // the real mouse stays out of the gallery
        ASSERT_TRUE(gallery_.Create(engine_, GallerySettings::MainWindow));
        index_ = engine_.IndexFromProperty(gallery_.Hwnd());
        ASSERT_GT(index_, 0);
    }
    ControlLists& Lists() { return *engine_.Controls(index_); }

    SkinEngine engine_;
    Gallery gallery_;
    int index_ = 0;
};

TEST_F(PainterTest, ThePassTakesOverEveryControlOnceAndASecondPassChangesNothing) {
    const ListSizes first = SizesOf(Lists());
    // push, default push, owner-drawn push stays the program's; check boxes and radios
    EXPECT_EQ(first.buttons, 2u + 3u + 3u);
    EXPECT_EQ(first.trackbars, 2u);
    EXPECT_EQ(first.progressBars, 2u);
    EXPECT_EQ(first.upDowns, 1u);
    EXPECT_GE(first.combos, 3u);
    EXPECT_GE(first.headers, 2u);  // the stand-alone one and the list view's
    for (const char* name : {"push", "checked", "edit", "drop-down", "list box", "track bar", "progress bar", "up-down",
                             "header", "tree view"}) {
        EXPECT_TRUE(IsTakenOver(gallery_.Control(name))) << name;
    }
    EXPECT_FALSE(IsTakenOver(gallery_.Control("owner-drawn")));

    HWND push = gallery_.Control("push");
    const LONG_PTR procBefore = GetWindowLongPtrW(push, GWLP_WNDPROC);
    InstallControls(engine_, index_, gallery_.Hwnd());
    EXPECT_FALSE(engine_.SkinWindow(gallery_.Hwnd(), SkinWindowOptions{}));
    EXPECT_EQ(SizesOf(Lists()), first);
    EXPECT_EQ(GetWindowLongPtrW(push, GWLP_WNDPROC), procBefore);
    // The procedure the skin passes on to is the control's own, never the skin's again.
    EXPECT_NE(reinterpret_cast<LONG_PTR>(GetPropA(push, "Hw_hProc")), procBefore);
}

TEST(PainterModeTest, ControlSkinModeZeroLeavesEveryControlAlone) {
    SkinEngine engine;
    ASSERT_TRUE(engine.Startup());
    Gallery gallery;
    ASSERT_TRUE(gallery.Create(engine, GallerySettings::NoControls));
    const int index = engine.IndexFromProperty(gallery.Hwnd());
    ASSERT_GT(index, 0);
    EXPECT_EQ(SizesOf(*engine.Controls(index)), (ListSizes{0, 0, 0, 0, 0, 0, 0, 0}));
    for (const GalleryControl& c : gallery.Controls()) {
        EXPECT_FALSE(IsTakenOver(c.hwnd)) << c.name;
    }
}

// An engine that goes while its window lives gives every control back the look it had: buttons their own kind
// (they draw themselves again), the list view its text background, the tree view its background colour.
TEST(PainterReleaseTest, ControlsLetGoByTheSkinLookAsTheyDidBefore) {
    Gallery gallery;
    auto engine = std::make_unique<SkinEngine>();
    ASSERT_TRUE(engine->Startup());
    ASSERT_TRUE(gallery.Create(*engine, GallerySettings::MainWindow));
    HWND push = gallery.Control("push");
    HWND checked = gallery.Control("checked");
    HWND view = gallery.Control("list view");
    HWND tree = gallery.Control("tree view");
    ASSERT_EQ(GetWindowLongPtrW(push, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ASSERT_EQ(SendMessageW(view, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
    const LRESULT veiledTree = SendMessageW(tree, TVM_GETBKCOLOR, 0, 0);

    engine.reset();
    EXPECT_EQ(GetWindowLongPtrW(push, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(checked, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_NE(SendMessageW(view, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
    EXPECT_NE(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0), veiledTree);
    // The push button draws its own face again: asked to paint into a sheet of magenta, it covers it.
    RECT box{};
    GetClientRect(push, &box);
    UniqueMemoryDc sheet(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmap picture(CreateTopDownDib(box.right, box.bottom, &bits));
    ASSERT_TRUE(sheet && picture);
    SelectedObject selected(sheet.get(), picture.get());
    auto* pixels = static_cast<uint32_t*>(bits);
    const int count = box.right * box.bottom;
    std::fill(pixels, pixels + count, 0xFF00FFu);
    SendMessageW(push, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(sheet.get()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    EXPECT_LT(std::count(pixels, pixels + count, 0xFF00FFu), count / 4);
}

TEST_F(PainterTest, SkinnedFacesAreNotDrawnAgainByTheWindowAndTheOwnerDrawnButtonIsTheProgramsOwn) {
    Gallery::Pump();
    const ScreenPicture own = CaptureWindow(gallery_.Control("owner-drawn"));
    EXPECT_GT(CountColour(own, kOwnGreen), own.width * own.height / 2);
    for (const char* name : {"push", "default push"}) {
        const ScreenPicture face = CaptureWindow(gallery_.Control(name));
        EXPECT_EQ(CountColour(face, kOwnGreen), 0) << name;
    }
}

TEST_F(PainterTest, HoverRepaintsOncePerChangeAndTheFaceReturnsToNormal) {
    HWND push = gallery_.Control("push");
    Gallery::Pump();
    const ScreenPicture normal = CaptureWindow(push);
    const long start = engine_.BackdropCopies();

    for (int x = 10; x < 90; x += 8) {
        SendMessageW(push, WM_MOUSEMOVE, 0, At(x, 15));
        Gallery::Pump();
    }
    EXPECT_EQ(engine_.BackdropCopies() - start, 1) << "one repaint when the button becomes hot, none per move";
    const ScreenPicture hovered = CaptureWindow(push);
    EXPECT_GT(CountDifferent(normal, hovered), 50);

    SendMessageW(push, WM_MOUSELEAVE, 0, 0);
    Gallery::Pump();
    EXPECT_EQ(engine_.BackdropCopies() - start, 2);
    EXPECT_EQ(CountDifferent(normal, CaptureWindow(push)), 0);

    // Repainted for another reason while hot, it keeps its hover look.
    SendMessageW(push, WM_MOUSEMOVE, 0, At(20, 15));
    Gallery::Pump();
    InvalidateRect(push, nullptr, TRUE);
    Gallery::Pump();
    EXPECT_EQ(CountDifferent(hovered, CaptureWindow(push)), 0);
    SendMessageW(push, WM_MOUSELEAVE, 0, 0);
    Gallery::Pump();
}

TEST_F(PainterTest, HoveredControlsOfEveryKindDifferFromNormalAndReturnToIt) {
    for (const char* name : {"checked", "radio 1", "read-only edit", "drop-down", "track bar", "list box"}) {
        HWND control = gallery_.Control(name);
        Gallery::Pump();
        const ScreenPicture normal = CaptureWindow(control);
        RECT client{};
        GetClientRect(control, &client);
        SendMessageW(control, WM_MOUSEMOVE, 0, At(client.right / 2, client.bottom / 2));
        Gallery::Pump();
        EXPECT_GT(CountDifferent(normal, CaptureWindow(control)), 0) << name;
        SendMessageW(control, WM_MOUSELEAVE, 0, 0);
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(normal, CaptureWindow(control)), 0) << name;
    }
}

// Non-client painting of an edit box: without scroll bars the skin's frame stands and the platform draws nothing
// over it; with scroll bars the platform draws the bars and the skin's frame survives around them.
TEST_F(PainterTest, EditNonClientPaintKeepsTheSkinsFrameWithAndWithoutScrollBars) {
    for (const char* name : {"edit", "disabled edit", "edit with scroll bars"}) {
        HWND edit = gallery_.Control(name);
        Gallery::Pump();
        const ScreenPicture before = CaptureWindow(edit);
        const LRESULT result = SendMessageW(edit, WM_NCPAINT, 1, 0);
        Gallery::Pump();
        const ScreenPicture after = CaptureWindow(edit);
        EXPECT_EQ(CountDifferent(before, after), 0) << name;
        if (std::string(name) != "edit with scroll bars") {
            EXPECT_EQ(result, 0) << name;
        }
    }
    // The bars themselves are the platform's: the lower right corner of the box is not wood.
    HWND scrolled = gallery_.Control("edit with scroll bars");
    const ScreenPicture picture = CaptureWindow(scrolled);
    const uint32_t corner = picture.At(picture.width - 8, picture.height - 8);
    EXPECT_GT(((corner >> 16) & 0xFF) + ((corner >> 8) & 0xFF) + (corner & 0xFF), 3u * 150u);
}

TEST_F(PainterTest, PrintClientThatRendersTheBackdropRepaintsTheControlsThatShowIt) {
    Gallery::Pump();
    HWND push = gallery_.Control("push");
    HWND edit = gallery_.Control("edit");
    engine_.Window(index_)->backdropDirty = true;
    ValidateRect(push, nullptr);
    ValidateRect(edit, nullptr);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Gallery::kWidth, Gallery::kHeight);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(gallery_.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    EXPECT_FALSE(engine_.Window(index_)->backdropDirty);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(push, &update, FALSE));
    EXPECT_TRUE(GetUpdateRect(edit, &update, FALSE));
    Gallery::Pump();
}

TEST_F(PainterTest, ADestroyedControlLeavesNoEntryPointingAtIt) {
    HWND push = gallery_.Control("push");
    const int before = FindEntry(Lists().buttons, push);
    ASSERT_GT(before, 0);
    DestroyWindow(push);
    EXPECT_EQ(FindEntry(Lists().buttons, push), 0);
    EXPECT_EQ(LookUpEntry(LookUpControl(push), &ControlLists::buttons, push), nullptr);
    // The others keep their places and still paint.
    EXPECT_TRUE(IsTakenOver(gallery_.Control("default push")));
    InvalidateRect(gallery_.Hwnd(), nullptr, TRUE);
    Gallery::Pump();
}

}  // namespace
}  // namespace zandrel::test
