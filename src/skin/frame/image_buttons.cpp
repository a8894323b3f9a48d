// Image buttons: a button of a skinned window given one picture beside or above its text, or a picture per state.
// The face is drawn by the image-button faces through the owner-draw dispatch, like every skinned push button's.
#include <windows.h>

#include "base/window_text.h"
#include "skin/core/skin_engine.h"
#include "skin/painters/painters.h"

namespace zandrel {

bool SkinEngine::SetButtonImage(HWND hwnd,
                                const Bytes& picture,
                                bool pictureBesideText,
                                const std::string& tipTextGbk) {
    const int windowIndex = hwnd != nullptr ? FindOwnerWindowIndex(hwnd) : 0;
    if (windowIndex < 1) {
        return false;
    }
    ButtonEntry* entry = TakeOverImageButton(*this, windowIndex, hwnd, tipTextGbk);
    if (entry == nullptr) {
        return false;
    }
    entry->kind = kImageButton;
    entry->picture = picture;
    entry->pictureBesideText = pictureBesideText;
    entry->text = WindowTextGbk(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

bool SkinEngine::SetButtonStateImages(HWND hwnd,
                                      const Bytes& normal,
                                      const Bytes& hover,
                                      const Bytes& pressed,
                                      const Bytes& disabled,
                                      const std::string& tipTextGbk) {
    const int windowIndex = hwnd != nullptr ? FindOwnerWindowIndex(hwnd) : 0;
    if (windowIndex < 1) {
        return false;
    }
    ButtonEntry* entry = TakeOverImageButton(*this, windowIndex, hwnd, tipTextGbk);
    if (entry == nullptr) {
        return false;
    }
    entry->kind = kStateImageButton;
    entry->picture = normal;
    entry->hoverPicture = hover;
    entry->pressedPicture = pressed;
    entry->disabledPicture = disabled;
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

}  // namespace zandrel
