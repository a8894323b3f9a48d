// The WinHTTP sessions requests go out on, following the proxy the system or the user configured: the system's
// own automatic configuration where the system has one (Windows 8.1 and later), else the user's settings as the
// browser keeps them (a named proxy with its bypass list, automatic detection, a configuration script).
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "query/winhttp_handle_win.h"

namespace zandrel {

// The user's proxy settings, as WinHttpGetIEProxyConfigForCurrentUser gives them.
struct UserProxySettings {
    bool autoDetect = false;
    std::wstring autoConfigUrl;  // a configuration script's address, or empty
    std::wstring proxy;          // "host:port" or "http=host:port;https=host:port", or empty: no named proxy
    std::wstring bypass;         // "<local>;*.example.com", or empty
};

// Reads the current user's settings; false when they cannot be read.
bool ReadUserProxySettings(UserProxySettings& settings);

struct ProxySource {
    // Try the system's automatic configuration first.
    bool systemAutomatic = true;
    // Where the user's settings come from when the system has no automatic configuration.
    std::function<bool(UserProxySettings&)> readUserSettings = ReadUserProxySettings;
};

// Sessions are opened when first needed and kept for the owner's lifetime; any thread may ask for one, and any
// number of threads may use a session at once.
class ProxySessions {
  public:
    ProxySessions(ProxySource source, const wchar_t* userAgent, int timeoutMs)
        : source_(std::move(source)), userAgent_(userAgent), timeoutMs_(timeoutMs) {}

    // The session (HINTERNET) a request to url, whose origin is "http://host:port", goes out on; nullptr when
    // none can be opened. Where the user's settings leave the choice to automatic detection or a script, its
    // answer is asked once per origin and a session through the proxy it names is used; a failed look-up
    // leaves the main session (through the user's named proxy, or none). An empty origin gets the main session.
    void* SessionFor(const std::wstring& url, const std::wstring& origin);

  private:
    void* MainSession();
    void* Open(unsigned long access, const std::wstring& proxy, const std::wstring& bypass);
    void* AnswerFor(const std::wstring& url, const std::wstring& origin);

    const ProxySource source_;
    const wchar_t* const userAgent_;
    const int timeoutMs_;
    // Held through a look-up too, so that requests starting together do not all run detection at once.
    std::mutex lock_;
    UniqueInternet main_;
    bool askPerOrigin_ = false;
    UserProxySettings user_;
    std::map<std::wstring, void*> answers_;           // origin -> session its answer names (nullptr: main)
    std::map<std::wstring, UniqueInternet> byProxy_;  // access, proxy and bypass -> session through it
};

}  // namespace zandrel
