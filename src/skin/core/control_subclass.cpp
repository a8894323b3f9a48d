#include "skin/core/control_subclass.h"

#include "skin/core/painter_host.h"
#include "skin/core/skin_types.h"

namespace zandrel {

namespace {

int IntProp(HWND hwnd, const char* key) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, key)));
}

HANDLE IntValue(int value) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value));
}

void RemoveSkinProps(HWND hwnd, const SubclassKeys& keys) {
    RemovePropA(hwnd, keys.index);
    RemovePropA(hwnd, keys.owner);
    RemovePropA(hwnd, keys.previousProc);
}

template <typename List>
void ReleaseList(List& list, const SubclassKeys& keys = kControlKeys) {
    for (ControlEntry& entry : list) {
        ReleaseControl(entry, keys);
    }
}

}  // namespace

bool IsTakenOver(HWND hwnd, const SubclassKeys& keys) {
    return hwnd != nullptr && GetPropA(hwnd, keys.previousProc) != nullptr;
}

bool TakeOverControl(HWND hwnd,
                     WNDPROC proc,
                     int windowIndex,
                     int index,
                     ControlEntry& entry,
                     const SubclassKeys& keys) {
    if (hwnd == nullptr || !IsWindow(hwnd) || IsTakenOver(hwnd, keys)) {
        return false;
    }
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    // The properties come first, so the very first message through the new procedure finds its entry.
    SetPropA(hwnd, keys.index, IntValue(index));
    SetPropA(hwnd, keys.owner, IntValue(windowIndex));
    SetPropA(hwnd, keys.previousProc, reinterpret_cast<HANDLE>(previous));
    entry.hwnd = hwnd;
    entry.previousWndProc = previous;
    entry.skinProc = proc;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return true;
}

ControlRef LookUpControl(HWND hwnd, const SubclassKeys& keys) {
    ControlRef ref;
    PainterHost* host = ActivePainterHost();
    if (host == nullptr || hwnd == nullptr) {
        return ref;
    }
    ref.windowIndex = IntProp(hwnd, keys.owner);
    ref.index = IntProp(hwnd, keys.index);
    ref.lists = host->Controls(ref.windowIndex);
    if (ref.lists != nullptr && ref.index >= 1) {
        ref.host = host;
    } else {
        ref.lists = nullptr;
    }
    return ref;
}

LRESULT PassOnToPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const SubclassKeys& keys) {
    if (auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, keys.previousProc))) {
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT ReleaseControlAndPassOn(HWND hwnd,
                                ControlEntry* entry,
                                UINT msg,
                                WPARAM wParam,
                                LPARAM lParam,
                                const SubclassKeys& keys) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, keys.previousProc));
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (previous != nullptr && entry != nullptr && current == entry->skinProc) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    RemoveSkinProps(hwnd, keys);
    // Kept until the control has gone: it may still draw while it handles the message.
    std::shared_ptr<std::remove_pointer_t<HFONT>> font;
    if (entry != nullptr) {
        entry->hwnd = nullptr;
        font = std::move(entry->skinFont);
    }
    if (previous == nullptr) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

void ReleaseControl(ControlEntry& entry, const SubclassKeys& keys) {
    HWND hwnd = entry.hwnd;
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        entry.hwnd = nullptr;
        return;
    }
    if (entry.skinFont) {
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(entry.ownFont), FALSE);
        entry.skinFont.reset();
    }
    if (entry.giveBack) {
        entry.giveBack(hwnd);
        entry.giveBack = nullptr;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (current == entry.skinProc && entry.previousWndProc != nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.previousWndProc));
        RemoveSkinProps(hwnd, keys);
    }
    // Otherwise the control was subclassed again after us: our procedure stays in its chain and, with no engine,
    // passes every message on through its previous-procedure property.
    entry.hwnd = nullptr;
}

void ReleaseAllControls(ControlLists& lists) {
    ReleaseList(lists.buttons);
    ReleaseList(lists.edits);
    ReleaseList(lists.lists);
    ReleaseList(lists.trackbars);
    ReleaseList(lists.progressBars);
    ReleaseList(lists.combos);
    ReleaseList(lists.upDowns);
    ReleaseList(lists.headers);
    ReleaseList(lists.containers, kContainerKeys);
    lists.hover = HoverState{};
}

void InvalidateControl(HWND hwnd, bool erase) {
    InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
}

}  // namespace zandrel
