#include "painter_gallery.h"

#include <commctrl.h>
#include <richedit.h>

#include "draw/skin_images.h"
#include "skin/core/skin_engine.h"

namespace zandrel::test {

namespace {

constexpr wchar_t kClass[] = L"ZandrelSkinGallery";
// The frames layout: the engine and the panel whose fill the track bar sets.
constexpr wchar_t kEngineProp[] = L"ZandrelGalleryEngine";
constexpr wchar_t kFilledPanelProp[] = L"ZandrelGalleryFilledPanel";

// The program's own drawing of its owner-drawn button: a flat face the skin leaves alone.
void DrawOwnButton(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH face = CreateSolidBrush(pressed ? RGB(90, 140, 90) : RGB(120, 180, 120));
    FillRect(item.hDC, &item.rcItem, face);
    DeleteObject(face);
    FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT text = item.rcItem;
    DrawTextW(item.hDC, L"自绘按钮", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HSCROLL && lParam != 0) {
        auto* engine = static_cast<SkinEngine*>(GetPropW(hwnd, kEngineProp));
        auto panel = static_cast<HWND>(GetPropW(hwnd, kFilledPanelProp));
        if (engine != nullptr && panel != nullptr) {
            const auto pos = SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0);
            engine->SetChildFrameAlpha(panel, static_cast<int>(pos));
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropW(hwnd, kEngineProp);
        RemovePropW(hwnd, kFilledPanelProp);
    }
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON && (GetWindowLongW(item->hwndItem, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
            DrawOwnButton(*item);
            return TRUE;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* GalleryClass() {
    static bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                  ICC_INTERNET_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = GalleryProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        return RegisterClassW(&wc) != 0;
    }();
    return registered ? kClass : nullptr;
}

}  // namespace

Gallery::~Gallery() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void Gallery::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND Gallery::Control(const std::string& name) const {
    for (const GalleryControl& c : controls_) {
        if (c.name == name) {
            return c.hwnd;
        }
    }
    return nullptr;
}

HWND Gallery::Add(const std::string& name,
                  const wchar_t* cls,
                  const wchar_t* text,
                  DWORD style,
                  int x,
                  int y,
                  int w,
                  int h,
                  PressKind press,
                  POINT pressPoint,
                  DWORD exStyle,
                  HWND parent) {
    HWND hwnd = CreateWindowExW(
        exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent != nullptr ? parent : hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(3000 + controls_.size())), GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr) {
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        controls_.push_back(GalleryControl{name, hwnd, press, pressPoint});
    }
    return hwnd;
}

void Gallery::Fill() {
    constexpr DWORD kTab = WS_TABSTOP;
    Add("push", L"BUTTON", L"普通按钮", kTab | BS_PUSHBUTTON, 10, 40, 100, 30, PressKind::Button);
    Add("default push", L"BUTTON", L"默认按钮", kTab | BS_DEFPUSHBUTTON, 120, 40, 100, 30, PressKind::Button);
    Add("owner-drawn", L"BUTTON", L"", kTab | BS_OWNERDRAW, 230, 40, 100, 30, PressKind::Button);
    SendMessageW(
        Add("checked", L"BUTTON", L"已选中", kTab | BS_AUTOCHECKBOX, 340, 40, 90, 24, PressKind::Mouse, {6, 12}),
        BM_SETCHECK, BST_CHECKED, 0);
    Add("unchecked", L"BUTTON", L"未选中", kTab | BS_AUTOCHECKBOX, 440, 40, 90, 24, PressKind::Mouse, {6, 12});
    SendMessageW(
        Add("indeterminate", L"BUTTON", L"不确定", kTab | BS_AUTO3STATE, 540, 40, 90, 24, PressKind::Mouse, {6, 12}),
        BM_SETCHECK, BST_INDETERMINATE, 0);
    Add("radio 1", L"BUTTON", L"选项一", kTab | WS_GROUP | BS_AUTORADIOBUTTON, 640, 38, 100, 20, PressKind::Mouse,
        {6, 10});
    SendMessageW(Add("radio 2", L"BUTTON", L"选项二", BS_AUTORADIOBUTTON, 640, 58, 100, 20, PressKind::Mouse, {6, 10}),
                 BM_SETCHECK, BST_CHECKED, 0);
    Add("radio 3", L"BUTTON", L"选项三", BS_AUTORADIOBUTTON, 640, 78, 100, 20, PressKind::Mouse, {6, 10});

    Add("edit", L"EDIT", L"单行编辑框", kTab | WS_BORDER | ES_AUTOHSCROLL, 10, 110, 150, 24);
    Add("edit with scroll bars", L"EDIT", L"多行编辑框\r\n第二行\r\n第三行\r\n第四行\r\n第五行",
        kTab | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 170, 110, 150, 76,
        PressKind::None, {}, WS_EX_CLIENTEDGE);
    Add("read-only edit", L"EDIT", L"只读编辑框", kTab | ES_READONLY | ES_AUTOHSCROLL, 330, 110, 140, 24,
        PressKind::None, {}, WS_EX_CLIENTEDGE);
    Add("disabled edit", L"EDIT", L"禁用编辑框", WS_DISABLED | WS_BORDER, 330, 142, 140, 24);
    HWND buddy = Add("up-down buddy", L"EDIT", L"5", kTab | WS_BORDER | ES_NUMBER, 480, 110, 80, 24);
    HWND spin = Add("up-down", UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 0,
                    PressKind::Mouse, {8, 5});
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 99);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    Add("ip address", WC_IPADDRESSW, L"", kTab, 580, 110, 160, 24, PressKind::None, {}, WS_EX_CLIENTEDGE);
    SendMessageW(Control("ip address"), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
    Add("date-time", DATETIMEPICK_CLASSW, L"", kTab | DTS_SHORTDATEFORMAT, 580, 142, 160, 24);

    HWND dropDown =
        Add("drop-down", L"COMBOBOX", L"", kTab | CBS_DROPDOWN | WS_VSCROLL, 10, 200, 140, 160, PressKind::DropDown);
    HWND dropList = Add("drop-down list", L"COMBOBOX", L"", kTab | CBS_DROPDOWNLIST | WS_VSCROLL, 160, 200, 140, 160,
                        PressKind::DropDown);
    HWND simple = Add("simple combo", L"COMBOBOX", L"", kTab | CBS_SIMPLE, 310, 200, 140, 110);
    HWND list = Add("list box", L"LISTBOX", L"", kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 460, 200, 130, 110);
    for (const wchar_t* item : {L"连衣裙", L"连衣裙夏", L"连衣裙女", L"连衣裙长款", L"连衣裙雪纺", L"连衣裙碎花",
                                L"连衣裙夏季", L"连衣裙中长款"}) {
        for (HWND combo : {dropDown, dropList, simple}) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    for (HWND combo : {dropDown, dropList, simple}) {
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
    }
    SendMessageW(list, LB_SETCURSEL, 2, 0);

    HWND tree = Add("tree view", WC_TREEVIEWW, L"", kTab | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 600, 200,
                    150, 130, PressKind::None, {}, WS_EX_CLIENTEDGE);
    TVINSERTSTRUCTW insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.hParent = TVI_ROOT;
    insert.item.pszText = const_cast<wchar_t*>(L"女装");
    HTREEITEM root =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const wchar_t* child : {L"连衣裙", L"半身裙", L"T恤"}) {
        insert.hParent = root;
        insert.item.pszText = const_cast<wchar_t*>(child);
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    insert.hParent = TVI_ROOT;
    insert.item.pszText = const_cast<wchar_t*>(L"男装");
    SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));

    HWND view = Add("list view", WC_LISTVIEWW, L"", kTab | LVS_REPORT | LVS_SHOWSELALWAYS, 10, 330, 300, 130,
                    PressKind::None, {}, WS_EX_CLIENTEDGE);
    const wchar_t* columns[] = {L"序号", L"关键词", L"宝贝数"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = i == 1 ? 140 : 70;
        column.pszText = const_cast<wchar_t*>(columns[i]);
        SendMessageW(view, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    const wchar_t* rows[][3] = {{L"1", L"连衣裙", L"1523"}, {L"2", L"连衣裙夏", L"987"}, {L"3", L"连衣裙女", L"654"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(rows[r][0]);
        SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 3; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[r][c]);
            SendMessageW(view, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }

    HWND header = Add("header", WC_HEADERW, L"", HDS_BUTTONS | HDS_HORZ, 320, 330, 260, 24, PressKind::Mouse, {40, 12});
    const wchar_t* titles[] = {L"关键词", L"宝贝数", L"搜索关键词"};
    for (int i = 0; i < 3; ++i) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 86;
        item.fmt = HDF_STRING | (i == 1 ? HDF_CENTER : HDF_LEFT);
        item.pszText = const_cast<wchar_t*>(titles[i]);
        SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    HWND track = Add("track bar", TRACKBAR_CLASSW, L"", kTab | TBS_ENABLESELRANGE | TBS_NOTICKS, 320, 362, 260, 30,
                     PressKind::Mouse, {10, 15});
    SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(track, TBM_SETSEL, TRUE, MAKELPARAM(20, 70));
    SendMessageW(track, TBM_SETPOS, TRUE, 40);
    HWND vtrack = Add("vertical track bar", TRACKBAR_CLASSW, L"", kTab | TBS_VERT | TBS_ENABLESELRANGE | TBS_NOTICKS,
                      660, 340, 30, 150, PressKind::Mouse, {15, 10});
    SendMessageW(vtrack, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    SendMessageW(vtrack, TBM_SETSEL, TRUE, MAKELPARAM(10, 30));
    SendMessageW(vtrack, TBM_SETPOS, TRUE, 20);
    HWND progress = Add("progress bar", PROGRESS_CLASSW, L"", 0, 320, 404, 260, 18);
    SendMessageW(progress, PBM_SETRANGE32, 0, 100);
    SendMessageW(progress, PBM_SETPOS, 60, 0);
    HWND vprogress = Add("vertical progress bar", PROGRESS_CLASSW, L"", PBS_VERTICAL, 710, 340, 20, 150);
    SendMessageW(vprogress, PBM_SETRANGE32, 0, 100);
    SendMessageW(vprogress, PBM_SETPOS, 35, 0);
}

void Gallery::FillContainers() {
    constexpr DWORD kTab = WS_TABSTOP;
    HWND tab = Add("tab control", WC_TABCONTROLW, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10, 40, 360, 210);
    for (const wchar_t* title : {L"基本设置", L"高级设置"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title);
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    Add("tab page button", L"BUTTON", L"页内按钮", kTab | BS_PUSHBUTTON, 20, 40, 100, 30, PressKind::Button, {}, 0,
        tab);
    Add("tab page check box", L"BUTTON", L"页内选项", kTab | BS_AUTOCHECKBOX, 140, 44, 100, 22, PressKind::Mouse,
        {6, 11}, 0, tab);
    Add("tab page edit", L"EDIT", L"页内编辑框", kTab | WS_BORDER | ES_AUTOHSCROLL, 20, 90, 220, 24, PressKind::None,
        {}, 0, tab);
    Add("tab page label", L"STATIC", L"页内标签：连衣裙", 0, 20, 130, 220, 20, PressKind::None, {}, 0, tab);

    // Version 4.1 of the rich edit, else 2.0.
    const bool version41 = LoadLibraryW(L"Msftedit.dll") != nullptr;
    if (!version41) {
        LoadLibraryW(L"riched20.dll");
    }
    const wchar_t* richClass = version41 ? MSFTEDIT_CLASS : RICHEDIT_CLASSW;
    HWND rich = Add("rich edit", richClass, L"", kTab | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 390, 40, 350, 130,
                    PressKind::None, {}, WS_EX_CLIENTEDGE);
    // Its background in the button-face colour, which the container leaves out by default.
    SendMessageW(rich, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    SetWindowTextW(rich, L"富文本编辑框：连衣裙 夏季 新款\r\n第二行文字\r\n第三行文字");
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR;
    format.crTextColor = RGB(255, 255, 255);
    SendMessageW(rich, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));

    Add("image beside text", L"BUTTON", L"图在左", kTab | BS_PUSHBUTTON, 10, 280, 130, 40, PressKind::Button);
    Add("image above text", L"BUTTON", L"图在上", kTab | BS_PUSHBUTTON, 150, 270, 90, 80, PressKind::Button);
    Add("state images", L"BUTTON", L"", kTab | BS_PUSHBUTTON, 260, 280, 30, 22, PressKind::Button);
    Add("state images framed", L"BUTTON", L"", kTab | BS_PUSHBUTTON, 310, 280, 17, 17, PressKind::Button);
    Add("undecodable picture", L"BUTTON", L"坏图片", kTab | BS_PUSHBUTTON, 350, 280, 100, 30, PressKind::Button);
}

void Gallery::SkinContainers(SkinEngine& engine) {
    const auto bytes = [](SkinImageId id) {
        const auto span = SkinImageBytes(id);
        return Bytes(span.begin(), span.end());
    };
    // The tab control fills its page white; the rich edit was given the button-face colour, the default.
    engine.SkinContainerControl(Control("tab control"), RGB(255, 255, 255));
    engine.SkinContainerControl(Control("rich edit"));
    // Light text over the dark wood.
    for (const char* name :
         {"tab page check box", "tab page label", "tab page edit", "image beside text", "image above text"}) {
        engine.SetControlTextColour(Control(name), RGB(255, 255, 255));
    }
    engine.SetButtonImage(Control("image beside text"), bytes(SkinImageId::Promotion), true, "\xCC\xE1\xCA\xBE");
    engine.SetButtonImage(Control("image above text"), bytes(SkinImageId::Promotion), false, "");
    engine.SetButtonStateImages(Control("state images"), bytes(SkinImageId::HelpGlyph), bytes(SkinImageId::MenuGlyph),
                                bytes(SkinImageId::CloseGlyph), bytes(SkinImageId::MinimizeGlyph), "");
    engine.SetButtonStateImages(Control("state images framed"), bytes(SkinImageId::CheckBoxEmpty));
    engine.SetButtonImage(Control("undecodable picture"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}, true, "");
}

void Gallery::FillFrames() {
    constexpr DWORD kTab = WS_TABSTOP;
    const struct {
        const char* name;
        const wchar_t* caption;
        DWORD align;
        int x;
    } groups[] = {{"group left", L"左对齐分组", BS_LEFT, 10},
                  {"group centre", L"居中分组", BS_CENTER, 260},
                  {"group right", L"右对齐分组", BS_RIGHT, 510}};
    for (const auto& g : groups) {
        HWND group = Add(g.name, L"BUTTON", g.caption, BS_GROUPBOX | g.align, g.x, 40, 240, 160);
        const std::string n = g.name;
        Add(n + " button", L"BUTTON", L"组内按钮", kTab | BS_PUSHBUTTON, 12, 26, 100, 28, PressKind::Button, {}, 0,
            group);
        Add(n + " check box", L"BUTTON", L"组内选项", kTab | BS_AUTOCHECKBOX, 122, 30, 100, 22, PressKind::Mouse,
            {6, 11}, 0, group);
        Add(n + " edit", L"EDIT", L"组内编辑框", kTab | WS_BORDER | ES_AUTOHSCROLL, 12, 70, 210, 24, PressKind::None,
            {}, 0, group);
        Add(n + " label", L"STATIC", L"组内标签：连衣裙", 0, 12, 110, 210, 20, PressKind::None, {}, 0, group);
    }

    HWND filled = Add("filled panel", L"STATIC", L"", 0, 10, 220, 360, 200);
    Add("filled panel label", L"STATIC", L"半透明面板", 0, 12, 12, 200, 20, PressKind::None, {}, 0, filled);
    Add("filled panel button", L"BUTTON", L"面板按钮", kTab | BS_PUSHBUTTON, 12, 44, 100, 28, PressKind::Button, {}, 0,
        filled);
    Add("filled panel edit", L"EDIT", L"面板编辑框", kTab | WS_BORDER | ES_AUTOHSCROLL, 12, 86, 200, 24,
        PressKind::None, {}, 0, filled);
    Add("alpha label", L"STATIC", L"面板不透明度", 0, 10, 432, 100, 20);
    HWND track =
        Add("alpha track bar", TRACKBAR_CLASSW, L"", kTab | TBS_NOTICKS, 110, 426, 260, 30, PressKind::Mouse, {10, 15});
    SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    SendMessageW(track, TBM_SETPOS, TRUE, 128);

    HWND outlined = Add("outlined panel", L"STATIC", L"", 0, 390, 220, 360, 200);
    Add("outlined panel label", L"STATIC", L"描边面板", 0, 12, 12, 200, 20, PressKind::None, {}, 0, outlined);
    Add("outlined panel edit", L"EDIT", L"描边面板编辑框", kTab | WS_BORDER | ES_AUTOHSCROLL, 12, 44, 200, 24,
        PressKind::None, {}, 0, outlined);
    Add("outlined panel radio", L"BUTTON", L"面板单选", kTab | BS_AUTORADIOBUTTON, 12, 84, 120, 22, PressKind::Mouse,
        {6, 11}, 0, outlined);
}

void Gallery::SkinFrames(SkinEngine& engine) {
    for (const char* name : {"group left", "group centre", "group right"}) {
        engine.SetControlTextColour(Control(name), RGB(255, 255, 255));
        engine.SkinChildFrame(Control(name));
    }
    HWND filled = Control("filled panel");
    engine.SkinChildFrame(filled, true, RGB(40, 110, 190), 128, false);
    engine.SkinChildFrame(Control("outlined panel"), true, std::nullopt, std::nullopt, true);
    for (const char* name : {"filled panel label", "outlined panel label", "outlined panel radio", "alpha label",
                             "group left check box", "group centre check box", "group right check box",
                             "group left label", "group centre label", "group right label", "group left edit",
                             "group centre edit", "group right edit", "filled panel edit", "outlined panel edit"}) {
        engine.SetControlTextColour(Control(name), RGB(255, 255, 255));
    }
    SetPropW(hwnd_, kEngineProp, &engine);
    SetPropW(hwnd_, kFilledPanelProp, filled);
}

bool Gallery::Create(SkinEngine& engine, GallerySettings settings, GalleryLayout layout) {
    if (GalleryClass() == nullptr) {
        return false;
    }
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    hwnd_ = CreateWindowExW(0, kClass, L"皮肤样例", WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 10, 10, kWidth,
                            kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return false;
    }
    switch (layout) {
        case GalleryLayout::Controls: Fill(); break;
        case GalleryLayout::Containers: FillContainers(); break;
        case GalleryLayout::Frames: FillFrames(); break;
    }
    const auto wood = SkinImageBytes(SkinImageId::WoodBackground);
    engine.SetDefaultBackground("", wood, std::nullopt, std::nullopt, 3);
    switch (settings) {
        case GallerySettings::MainWindow: engine.SetGlobalOptions(1, 0, 0); break;
        case GallerySettings::EngineVeil: engine.SetGlobalOptions(1, 160, 1); break;
        case GallerySettings::NoControls: engine.SetGlobalOptions(0, 0, 0); break;
    }
    SkinWindowOptions options;
    options.captionHeight = 30;
    options.resizable = false;
    options.statusBarHeight = 25;
    if (!engine.SkinWindow(hwnd_, options)) {
        return false;
    }
    if (layout == GalleryLayout::Containers) {
        SkinContainers(engine);
    } else if (layout == GalleryLayout::Frames) {
        SkinFrames(engine);
    }
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
    Pump();
    return true;
}

}  // namespace zandrel::test
