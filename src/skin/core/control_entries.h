// The records of the controls the skin engine has taken over: one list per control kind in every skinned window,
// filled by the install routines of the painters and read by their procedures. Indices into a list are 1-based
// (the control's "Hw_lbID"), 0 meaning "none"; entries stay in their place for the window's life, so the index a
// control was given never changes. A destroyed control leaves its entry with no window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "draw/tooltip_window.h"

namespace zandrel {

using Bytes = std::vector<unsigned char>;

// Every entry begins with the control and the procedure it had before the skin took it over.
struct ControlEntry {
    HWND hwnd = nullptr;
    WNDPROC previousWndProc = nullptr;
    WNDPROC skinProc = nullptr;  // the procedure installed in its place
    // A font the skin gave the control in place of its own (ownFont), freed with the entry; the control gets its
    // own back when the skin lets it go.
    std::shared_ptr<std::remove_pointer_t<HFONT>> skinFont;
    HFONT ownFont = nullptr;
    // Puts back what the skin changed in the control (a style, a colour), when the skin lets a live control go.
    std::function<void(HWND)> giveBack;
};

enum ButtonKind : int {
    kPushButton = 0,
    kImageButton = 1,       // one picture with the text
    kStateImageButton = 3,  // a picture per state
    kRadioButton = 4,
    kCheckBox = 5,
};

struct ButtonEntry : ControlEntry {
    int kind = kPushButton;
    Bytes picture;  // image buttons: the picture (normal state of a four-state button)
    Bytes hoverPicture;
    Bytes pressedPicture;
    Bytes disabledPicture;
    bool pictureBesideText = false;
    std::string text;  // GBK, refreshed on WM_SETTEXT
    bool focused = false;
    bool checkedAtInstall = false;
    HWND parentHwnd = nullptr;
    ToolTipWindow toolTip;
    std::string fontName;  // GBK
    int fontSize = 0;      // pixels
    int fontStyle = 0;     // GDI+ style bits
};

struct EditEntry : ControlEntry {
    bool focused = false;
    bool hovered = false;  // never set: frame repaints after the hover one draw the idle frame
    bool mouseDown = false;
};

struct ComboEntry : ControlEntry {
    bool focused = false;
};

struct ListEntry : ControlEntry {
    bool focused = false;
    bool hovered = false;
    bool arrowKeyDown = false;
    bool dropList = false;  // the pop-up list of a drop-down combo box, painted whole
};

enum TrackbarTickSide : int { kTicksTopLeft = 0, kTicksBottomRight = 1, kTicksBoth = 2, kNoTicks = 3 };

struct TrackbarEntry : ControlEntry {
    bool vertical = false;
    int tickSide = kTicksBottomRight;
    bool hovered = false;
    bool selRange = false;
};

struct ProgressEntry : ControlEntry {
    bool vertical = false;
};

struct UpDownEntry : ControlEntry {
    bool hovered = false;
    int hotPart = 0;  // 0 the first half (up or left), 1 the second
    bool pressed = false;
    bool horizontal = false;
    LPARAM lastMouse = 0;
};

struct HeaderEntry : ControlEntry {
    bool hovered = false;
    int hotItem = 0;  // 1-based, 0 for none
    int paintedHotItem = 0;
    bool buttons = false;
    int pressedItem = 0;
    bool mouseDown = false;
    std::string fontName;  // a list view's header: its font; empty for a stand-alone header
    int fontStyle = 0;
    int fontSize = 0;
    HIMAGELIST imageList = nullptr;
};

struct ContainerControl : ControlEntry {
    COLORREF backColour = 0;  // pixels of exactly this colour let the backdrop show through
};

// Which list the hot control index refers to.
enum HotKind : int {
    kHotButton = 0,
    kHotEdit = 1,
    kHotTrackbar = 2,
    kHotCombo = 3,
    kHotList = 4,
    kHotUpDown = 8,
    kHotHeader = 9,
};

// Hover bookkeeping shared by the painters of one window: a control repaints its hover look only when the hot
// control changes, never on every mouse move.
struct HoverState {
    int hotControlIndex = 0;    // the control drawn hot, 0 for none
    int controlUnderMouse = 0;  // the control that last saw WM_MOUSEMOVE
    int hotControlKind = kHotButton;
    HWND hotControlParent = nullptr;  // edit boxes: the parent of the hot one
};

// Deques, so that an entry a painter holds stays where it is while another control is registered.
template <typename Entry>
using EntryList = std::deque<Entry>;

struct ControlLists {
    EntryList<ButtonEntry> buttons;
    EntryList<EditEntry> edits;
    EntryList<ListEntry> lists;
    EntryList<TrackbarEntry> trackbars;
    EntryList<ProgressEntry> progressBars;
    EntryList<ComboEntry> combos;
    EntryList<UpDownEntry> upDowns;
    EntryList<HeaderEntry> headers;
    EntryList<ContainerControl> containers;
    HoverState hover;
};

// The entry at a 1-based index, nullptr outside the list.
template <typename Entry>
Entry* EntryAt(EntryList<Entry>& list, int index) {
    if (index < 1 || index > static_cast<int>(list.size())) {
        return nullptr;
    }
    return &list[static_cast<size_t>(index - 1)];
}

// The 1-based index of the entry of hwnd, 0 when the list has none.
template <typename Entry>
int FindEntry(const EntryList<Entry>& list, HWND hwnd) {
    if (hwnd == nullptr) {
        return 0;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].hwnd == hwnd) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// A new entry at the end of the list; its 1-based index comes back in index.
template <typename Entry>
Entry& AppendEntry(EntryList<Entry>& list, int& index) {
    list.emplace_back();
    index = static_cast<int>(list.size());
    return list.back();
}

}  // namespace zandrel
