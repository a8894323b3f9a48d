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

void RemoveSkinProps(HWND hwnd) {
    RemovePropA(hwnd, kPropWindowIndex);
    RemovePropA(hwnd, kPropOwnerIndex);
    RemovePropA(hwnd, kPropPreviousProc);
}

template <typename List>
void ReleaseList(List& list) {
    for (ControlEntry& entry : list) {
        ReleaseControl(entry);
    }
}

}  // namespace

bool IsTakenOver(HWND hwnd) {
    return hwnd != nullptr && GetPropA(hwnd, kPropPreviousProc) != nullptr;
}

bool TakeOverControl(HWND hwnd, WNDPROC proc, int windowIndex, int index, ControlEntry& entry) {
    if (hwnd == nullptr || !IsWindow(hwnd) || IsTakenOver(hwnd)) {
        return false;
    }
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    // The properties come first, so the very first message through the new procedure finds its entry.
    SetPropA(hwnd, kPropWindowIndex, IntValue(index));
    SetPropA(hwnd, kPropOwnerIndex, IntValue(windowIndex));
    SetPropA(hwnd, kPropPreviousProc, reinterpret_cast<HANDLE>(previous));
    entry.hwnd = hwnd;
    entry.previousWndProc = previous;
    entry.skinProc = proc;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return true;
}

ControlRef LookUpControl(HWND hwnd) {
    ControlRef ref;
    PainterHost* host = ActivePainterHost();
    if (host == nullptr || hwnd == nullptr) {
        return ref;
    }
    ref.windowIndex = IntProp(hwnd, kPropOwnerIndex);
    ref.index = IntProp(hwnd, kPropWindowIndex);
    ref.lists = host->Controls(ref.windowIndex);
    if (ref.lists != nullptr && ref.index >= 1) {
        ref.host = host;
    } else {
        ref.lists = nullptr;
    }
    return ref;
}

LRESULT PassOnToPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc))) {
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT ReleaseControlAndPassOn(HWND hwnd, ControlEntry* entry, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc));
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (previous != nullptr && entry != nullptr && current == entry->skinProc) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    RemoveSkinProps(hwnd);
    if (entry != nullptr) {
        entry->hwnd = nullptr;
    }
    if (previous == nullptr) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

void ReleaseControl(ControlEntry& entry) {
    HWND hwnd = entry.hwnd;
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        entry.hwnd = nullptr;
        return;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (current == entry.skinProc && entry.previousWndProc != nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.previousWndProc));
        RemoveSkinProps(hwnd);
    }
    // Otherwise the control was subclassed again after us: our procedure stays in its chain and, with no engine,
    // passes every message on through "Hw_hProc".
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
    lists.hover = HoverState{};
}

void InvalidateControl(HWND hwnd, bool erase) {
    InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
}

}  // namespace zandrel
