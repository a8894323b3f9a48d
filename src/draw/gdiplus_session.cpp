#include "draw/gdiplus_session.h"

#include "draw/gdiplus_api.h"

namespace zandrel {

bool GdiplusSession::Start() {
    if (token_ != 0) {
        return true;
    }
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) {
        return false;
    }
    token_ = token;
    return true;
}

void GdiplusSession::Stop() {
    if (token_ != 0) {
        gp::GdiplusShutdown(std::exchange(token_, 0));
    }
}

}  // namespace zandrel
