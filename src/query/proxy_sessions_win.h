// The WinHTTP sessions requests go out on, following the proxy the system or the user configured: the system's
// own automatic configuration where the system has one (Windows 8.1 and later), else the user's settings as the
// browser keeps them (a named proxy with its bypass list, automatic detection, a configuration script).
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
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
    // How long a host whose look-up failed goes out on the main session before its look-up is tried again.
    int retryFailedLookUpMs = 60000;
};

// Sessions are opened when first needed and kept for the owner's lifetime; any thread may ask for one, and any
// number of threads may use a session at once.
class ProxySessions {
  public:
    ProxySessions(ProxySource source, const wchar_t* userAgent, int timeoutMs)
        : source_(std::move(source)), userAgent_(userAgent), timeoutMs_(timeoutMs) {}

    // The session (HINTERNET) a request to url, whose origin is "http://host:port", goes out on; nullptr when
    // none can be opened. Where the user's settings leave the choice to automatic detection or a script, its
    // answer is asked per origin, waited for at most waitMs (the first time only), and a session through the
    // proxy it names is used; until it has answered, and for a while after it failed, the main session (through
    // the user's named proxy, or none) serves. An empty origin gets the main session.
    void* SessionFor(const std::wstring& url, const std::wstring& origin, int waitMs);

    struct LookUp;  // one origin's question to the script or to detection, answered on a thread of its own

  private:
    struct Origin {
        bool answered = false;
        void* session = nullptr;          // once answered: the session the answer names (nullptr: main)
        std::shared_ptr<LookUp> pending;  // a look-up under way
        bool waitedOut = false;           // a request already waited for it in vain: later ones do not wait
        bool failed = false;
        std::chrono::steady_clock::time_point failedAt;
    };

    void* MainSession();
    void* Open(unsigned long access, const std::wstring& proxy, const std::wstring& bypass);
    // Takes a finished look-up's answer for the origin: the session through the proxy it names, nullptr for the
    // main session.
    void* Settle(Origin& origin, std::shared_ptr<LookUp> finished);

    const ProxySource source_;
    const wchar_t* const userAgent_;
    const int timeoutMs_;
    std::mutex lock_;  // never held while a look-up is waited for
    UniqueInternet main_;
    bool askPerOrigin_ = false;
    UserProxySettings user_;
    std::map<std::wstring, Origin> origins_;
    std::map<std::wstring, UniqueInternet> byProxy_;  // access, proxy and bypass -> session through it
};

}  // namespace zandrel
