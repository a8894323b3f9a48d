#include "query/proxy_sessions_win.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <thread>

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

namespace zandrel {
namespace {

// Takes over a string WinHTTP allocated for the caller.
std::wstring TakeGlobalString(LPWSTR text) {
    if (text == nullptr) {
        return std::wstring();
    }
    std::wstring copy(text);
    GlobalFree(text);
    return copy;
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

struct ProxyAnswer {
    DWORD access = WINHTTP_ACCESS_TYPE_NO_PROXY;  // or WINHTTP_ACCESS_TYPE_NAMED_PROXY
    std::wstring proxy;
    std::wstring bypass;
};

// Asks the user's configuration script or automatic detection which proxy serves url. The look-up runs on a
// thread of its own, in a session of its own, and is waited for at most timeoutMs: the system's download of the
// script may not end (Wine ignores its time-outs for a server that never answers). False when it failed or
// did not end in time; a look-up left behind finishes on its own.
bool LookUpProxy(const wchar_t* userAgent,
                 const UserProxySettings& user,
                 const std::wstring& url,
                 int timeoutMs,
                 ProxyAnswer& answer) {
    struct Shared {
        std::mutex lock;
        std::condition_variable ended;
        bool done = false;
        bool found = false;
        ProxyAnswer answer;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, userAgent, user, url, timeoutMs] {
        bool found = false;
        ProxyAnswer got;
        UniqueInternet session(
            WinHttpOpen(userAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        if (session) {
            WinHttpSetTimeouts(session.get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs);
            WINHTTP_AUTOPROXY_OPTIONS options = {};
            if (!user.autoConfigUrl.empty()) {
                options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
                options.lpszAutoConfigUrl = user.autoConfigUrl.c_str();
            }
            if (user.autoDetect) {
                options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
                options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
            }
            options.fAutoLogonIfChallenged = TRUE;
            WINHTTP_PROXY_INFO info = {};
            if (WinHttpGetProxyForUrl(static_cast<HINTERNET>(session.get()), url.c_str(), &options, &info)) {
                found = true;
                got.proxy = TakeGlobalString(info.lpszProxy);
                got.bypass = TakeGlobalString(info.lpszProxyBypass);
                got.access = info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && !got.proxy.empty()
                                 ? WINHTTP_ACCESS_TYPE_NAMED_PROXY
                                 : WINHTTP_ACCESS_TYPE_NO_PROXY;
            }
        }
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->found = found;
        shared->answer = std::move(got);
        shared->done = true;
        shared->ended.notify_all();
    }).detach();
    std::unique_lock<std::mutex> hold(shared->lock);
    if (!shared->ended.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] { return shared->done; }) ||
        !shared->found) {
        return false;
    }
    answer = shared->answer;
    return true;
}

}  // namespace

bool ReadUserProxySettings(UserProxySettings& settings) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
    if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) {
        return false;
    }
    settings.autoDetect = config.fAutoDetect != FALSE;
    settings.autoConfigUrl = TakeGlobalString(config.lpszAutoConfigUrl);
    settings.proxy = TakeGlobalString(config.lpszProxy);
    settings.bypass = TakeGlobalString(config.lpszProxyBypass);
    return true;
}

void* ProxySessions::Open(unsigned long access, const std::wstring& proxy, const std::wstring& bypass) {
    HINTERNET session = WinHttpOpen(userAgent_, access, OrNull(proxy), OrNull(bypass), 0);
    if (session != nullptr) {
        WinHttpSetTimeouts(session, timeoutMs_, timeoutMs_, timeoutMs_, timeoutMs_);
    }
    return session;
}

void* ProxySessions::MainSession() {
    if (main_) {
        return main_.get();
    }
    askPerOrigin_ = false;
    if (source_.systemAutomatic) {
        main_.reset(Open(WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, L"", L""));
        if (main_) {
            return main_.get();
        }
    }
    UserProxySettings user;
    if (source_.readUserSettings && source_.readUserSettings(user)) {
        user_ = user;
        askPerOrigin_ = user.autoDetect || !user.autoConfigUrl.empty();
        if (!user.proxy.empty()) {
            main_.reset(Open(WINHTTP_ACCESS_TYPE_NAMED_PROXY, user.proxy, user.bypass));
        }
    }
    if (!main_) {
        // The machine-wide WinHTTP setting (netsh winhttp), or a direct connection.
        main_.reset(Open(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, L"", L""));
    }
    return main_.get();
}

void* ProxySessions::AnswerFor(const std::wstring& url, const std::wstring& origin) {
    auto known = answers_.find(origin);
    if (known != answers_.end()) {
        return known->second;
    }
    ProxyAnswer answer;
    void* chosen = nullptr;
    if (LookUpProxy(userAgent_, user_, url, timeoutMs_, answer)) {
        const bool named = answer.access == WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        const std::wstring key = std::to_wstring(answer.access) + L"|" + answer.proxy + L"|" + answer.bypass;
        UniqueInternet& session = byProxy_[key];
        if (!session) {
            session.reset(Open(answer.access, named ? answer.proxy : L"", named ? answer.bypass : L""));
        }
        chosen = session.get();
    }
    answers_.emplace(origin, chosen);
    return chosen;
}

void* ProxySessions::SessionFor(const std::wstring& url, const std::wstring& origin) {
    std::lock_guard<std::mutex> hold(lock_);
    void* session = MainSession();
    if (session == nullptr || !askPerOrigin_ || origin.empty()) {
        return session;
    }
    void* answered = AnswerFor(url, origin);
    return answered != nullptr ? answered : session;
}

}  // namespace zandrel
