// Geometry of the frames that tests check without drawing.
#pragma once

#include <windows.h>

#include <string>

namespace zandrel {

// Where a group box draws its caption (frame client coordinates): 10 pixels from the left with BS_LEFT, centred
// with BS_CENTER, otherwise 10 pixels from the right; as wide as the caption measures in the font, as high as the
// font size plus 3.
RECT GroupBoxCaptionRect(HWND frame, const std::string& fontName, int fontSize, int fontStyle);

}  // namespace zandrel
