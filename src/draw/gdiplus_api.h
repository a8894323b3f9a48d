// The GDI+ flat API as the drawing classes see it: Windows and COM headers first, then MinGW's gdiplus.h, which
// declares the flat functions in Gdiplus::DllExports.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace zandrel::gp {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
}  // namespace zandrel::gp
