#include "query/proxy_sessions_win.h"

#include <algorithm>
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

}  // namespace

struct ProxySessions::LookUp {
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    bool found = false;
    ProxyAnswer answer;

    bool WaitFor(int ms) {
        std::unique_lock<std::mutex> hold(lock);
        return ended.wait_for(hold, std::chrono::milliseconds(ms > 0 ? ms : 0), [this] { return done; });
    }
    bool Done() {
        std::lock_guard<std::mutex> hold(lock);
        return done;
    }
};

namespace {

// Asks the user's configuration script or automatic detection which proxy serves url, on a thread of its own
// and in a session of its own: the system's download of the script may not end (Wine ignores its time-outs
// for a server that never answers), and nobody has to wait for it longer than they choose.
std::shared_ptr<ProxySessions::LookUp> StartLookUp(const wchar_t* userAgent,
                                                   const UserProxySettings& user,
                                                   const std::wstring& url,
                                                   int timeoutMs) {
    auto shared = std::make_shared<ProxySessions::LookUp>();
    // The look-up may take longer than a request waits for it: its answer still serves the requests after it.
    const int lookUpTimeoutMs = timeoutMs * 4;
    std::thread([shared, userAgent, user, url, lookUpTimeoutMs] {
        bool found = false;
        ProxyAnswer got;
        UniqueInternet session(
            WinHttpOpen(userAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        if (session) {
            WinHttpSetTimeouts(session.get(), lookUpTimeoutMs, lookUpTimeoutMs, lookUpTimeoutMs, lookUpTimeoutMs);
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
    return shared;
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

void* ProxySessions::Settle(Origin& origin, std::shared_ptr<LookUp> finished) {
    const LookUp& lookUp = *finished;  // held here: the origin lets go of it next
    origin.pending.reset();
    origin.waitedOut = false;
    if (!lookUp.found) {
        origin.failed = true;
        origin.failedAt = std::chrono::steady_clock::now();
        return nullptr;
    }
    const ProxyAnswer& answer = lookUp.answer;
    const bool named = answer.access == WINHTTP_ACCESS_TYPE_NAMED_PROXY;
    const std::wstring key = std::to_wstring(answer.access) + L"|" + answer.proxy + L"|" + answer.bypass;
    UniqueInternet& session = byProxy_[key];
    if (!session) {
        session.reset(Open(answer.access, named ? answer.proxy : L"", named ? answer.bypass : L""));
    }
    void* chosen = session.get();
    origin.answered = true;
    origin.session = chosen;
    return chosen;
}

void* ProxySessions::SessionFor(const std::wstring& url, const std::wstring& originName, int waitMs) {
    std::shared_ptr<LookUp> lookUp;
    void* main = nullptr;
    const auto orMain = [&main](void* session) { return session != nullptr ? session : main; };
    {
        std::lock_guard<std::mutex> hold(lock_);
        main = MainSession();
        if (main == nullptr || !askPerOrigin_ || originName.empty()) {
            return main;
        }
        Origin& origin = origins_[originName];
        if (origin.answered) {
            return orMain(origin.session);
        }
        if (origin.pending && origin.pending->Done()) {
            return orMain(Settle(origin, origin.pending));
        }
        if (!origin.pending) {
            const auto retryAfter = std::chrono::milliseconds(source_.retryFailedLookUpMs);
            if (origin.failed && std::chrono::steady_clock::now() - origin.failedAt < retryAfter) {
                return main;
            }
            origin.pending = StartLookUp(userAgent_, user_, url, timeoutMs_);
        } else if (origin.waitedOut) {
            return main;  // still under way: its answer serves the requests after it ends
        }
        lookUp = origin.pending;
    }
    // Other hosts' requests go on meanwhile.
    const bool done = lookUp->WaitFor(std::min(waitMs, timeoutMs_));
    std::lock_guard<std::mutex> hold(lock_);
    Origin& origin = origins_[originName];
    if (origin.answered || origin.pending != lookUp) {
        return orMain(origin.session);  // settled by another request meanwhile
    }
    if (!done) {
        origin.waitedOut = true;
        return main;
    }
    return orMain(Settle(origin, lookUp));
}

}  // namespace zandrel
