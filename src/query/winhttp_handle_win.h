// An owned WinHTTP handle (session, connection or request), closed when it goes.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace zandrel {

struct InternetCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(static_cast<HINTERNET>(handle)); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

}  // namespace zandrel
