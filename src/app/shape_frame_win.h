// The frame that groups the keyword row and the two pictures: a plain outlined panel whose children's
// notifications and colour requests go on to the main window.
#pragma once

#include <windows.h>

namespace zandrel {

HWND CreateShapeFrame(HWND parent, int id, int x, int y, int width, int height);

}  // namespace zandrel
