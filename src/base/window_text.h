// Reading a window's text at the Windows boundary: wide, then GBK with code page 936.
#pragma once

#include <windows.h>

#include <string>

namespace zandrel {

// The whole text of the window as GBK; empty for a window without text or no window at all.
std::string WindowTextGbk(HWND hwnd);

}  // namespace zandrel
