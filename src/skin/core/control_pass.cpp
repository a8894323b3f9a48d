#include "skin/core/control_pass.h"

#include "skin/core/button_faces.h"
#include "skin/core/control_subclass.h"
#include "skin/core/painter_host.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

using InstallRoutine = void (*)(PainterHost& host, int windowIndex, HWND parent);

constexpr InstallRoutine kInstallRoutines[] = {
    &InstallPushButtons,  &InstallCheckButtons, &InstallEditAndComboBoxes, &InstallTrackbars,
    &InstallProgressBars, &InstallListControls, &InstallUpDowns,           &InstallHeaders,
};

}  // namespace

void InstallControls(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0 || host.Controls(windowIndex) == nullptr || parent == nullptr) {
        return;
    }
    for (InstallRoutine install : kInstallRoutines) {
        install(host, windowIndex, parent);
    }
}

bool DispatchOwnerDraw(PainterHost& host, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON || item.hwndItem == nullptr) {
        return false;
    }
    const ControlRef ref = LookUpControl(item.hwndItem);
    const ButtonEntry* entry = LookUpEntry(ref, &ControlLists::buttons, item.hwndItem);
    if (ref.host != &host || entry == nullptr) {
        return false;
    }
    UINT state = item.itemState;
    // Windows never marks an owner-drawn button hot; the button under the mouse keeps its hover look when it is
    // repainted for any other reason.
    const HoverState& hover = ref.lists->hover;
    if (hover.hotControlKind == kHotButton && hover.hotControlIndex == ref.index) {
        state |= ODS_HOTLIGHT;
    }
    switch (entry->kind) {
        case kPushButton: PaintPushButtonFace(host, item.hwndItem, item.hDC, state, item.rcItem); return true;
        case kImageButton: PaintImageButtonFace(host, item.hwndItem, item.hDC, state, item.rcItem); return true;
        case kStateImageButton:
            PaintStateImageButtonFace(host, item.hwndItem, item.hDC, state, item.rcItem);
            return true;
        default: return false;  // check boxes and radio buttons paint themselves
    }
}

}  // namespace zandrel
