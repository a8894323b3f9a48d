// Taking a control over: the properties that lead from the control back to its entry, its window procedure
// replaced by a painter's, and everything undone again when the control goes.
#pragma once

#include <windows.h>

#include "skin/core/control_entries.h"
#include "skin/core/skin_types.h"

namespace zandrel {

class PainterHost;

// The three properties that lead from a control back to its entry: its place in its list, the owning skinned
// window and the procedure it had before. The painters' controls use one set; container controls another, since
// a container may be a child frame as well, and the frame's procedure then sits above the container's.
struct SubclassKeys {
    const char* index;
    const char* owner;
    const char* previousProc;
};
inline constexpr SubclassKeys kControlKeys{kPropWindowIndex, kPropOwnerIndex, kPropPreviousProc};
inline constexpr SubclassKeys kContainerKeys{kPropContainerIndex, kPropContainerOwner, kPropContainerProc};

// Where a control's entry lives, read from its properties.
struct ControlRef {
    PainterHost* host = nullptr;  // nullptr: no engine, or the properties name no list of a skinned window
    int windowIndex = 0;          // "Hw_FuID"
    int index = 0;                // "Hw_lbID": the place in its kind's list
    ControlLists* lists = nullptr;
};

// True when the skin already subclasses the window (a control of any list, a skinned window or a frame), so no
// install routine takes it over a second time.
bool IsTakenOver(HWND hwnd, const SubclassKeys& keys = kControlKeys);

// Sets "Hw_lbID" = index and "Hw_FuID" = windowIndex, replaces the procedure with proc and keeps the old one in
// "Hw_hProc" (or the keys given) and in the entry. False, with nothing changed, when hwnd is no window or is taken over
// already.
bool TakeOverControl(HWND hwnd,
                     WNDPROC proc,
                     int windowIndex,
                     int index,
                     ControlEntry& entry,
                     const SubclassKeys& keys = kControlKeys);

// A new entry for hwnd at the end of list, filled in by fill(entry), and the control taken over with proc; when
// the take-over is refused the entry goes again and the result is nullptr.
template <typename Entry, typename Fill>
Entry* TakeOverNewEntry(EntryList<Entry>& list, HWND hwnd, WNDPROC proc, int windowIndex, Fill fill) {
    int index = 0;
    Entry& entry = AppendEntry(list, index);
    fill(entry);
    if (!TakeOverControl(hwnd, proc, windowIndex, index, entry)) {
        list.pop_back();
        return nullptr;
    }
    return &entry;
}

// The entry location of a control from its properties (host nullptr when there is none).
ControlRef LookUpControl(HWND hwnd, const SubclassKeys& keys = kControlKeys);

// The entry of a control in one list, checked against the control itself; nullptr when it is not there.
template <typename Entry>
Entry* LookUpEntry(const ControlRef& ref, EntryList<Entry> ControlLists::*list, HWND hwnd) {
    if (ref.lists == nullptr) {
        return nullptr;
    }
    Entry* entry = EntryAt(ref.lists->*list, ref.index);
    return entry != nullptr && entry->hwnd == hwnd ? entry : nullptr;
}

// The message to the procedure the control had before (in "Hw_hProc").
LRESULT PassOnToPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const SubclassKeys& keys = kControlKeys);

// For WM_NCDESTROY: the control gets its previous procedure back, loses the skin's properties and its entry loses
// the window; then the message goes on to that procedure.
LRESULT ReleaseControlAndPassOn(HWND hwnd,
                                ControlEntry* entry,
                                UINT msg,
                                WPARAM wParam,
                                LPARAM lParam,
                                const SubclassKeys& keys = kControlKeys);

// Gives a live control its previous procedure back and removes the skin's properties (the engine going away).
void ReleaseControl(ControlEntry& entry, const SubclassKeys& keys = kControlKeys);

// Releases every control of the lists, containers with their own keys (see ReleaseControl).
void ReleaseAllControls(ControlLists& lists);

// The whole control repainted: client area erased, frame too.
void InvalidateControl(HWND hwnd, bool erase = true);

}  // namespace zandrel
