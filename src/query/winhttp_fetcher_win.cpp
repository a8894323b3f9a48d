#include "query/winhttp_fetcher_win.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "query/gbk_texts.h"
#include "query/winhttp_handle_win.h"

namespace zandrel {
namespace {

// The agent string of the system's own HTTP component; no further headers of our own are sent.
constexpr wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1)";

struct UrlParts {
    bool secure = false;
    INTERNET_PORT port = 0;
    std::wstring host;
    std::wstring pathAndQuery;
};

bool CrackUrl(const std::wstring& url, UrlParts& parts) {
    URL_COMPONENTS components = {};
    components.dwStructSize = sizeof(components);
    components.dwSchemeLength = static_cast<DWORD>(-1);
    components.dwHostNameLength = static_cast<DWORD>(-1);
    components.dwUrlPathLength = static_cast<DWORD>(-1);
    components.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &components)) {
        return false;
    }
    if (components.lpszHostName == nullptr || components.dwHostNameLength == 0) {
        return false;
    }
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    parts.port = components.nPort;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    if (components.lpszUrlPath != nullptr) {
        parts.pathAndQuery.assign(components.lpszUrlPath, components.dwUrlPathLength);
    }
    if (components.lpszExtraInfo != nullptr) {
        parts.pathAndQuery.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    }
    if (parts.pathAndQuery.empty()) {
        parts.pathAndQuery = L"/";
    }
    return true;
}

// The time left before a request's deadline, in milliseconds (0 when it has passed).
class Deadline {
  public:
    explicit Deadline(int ms) : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}
    int LeftMs() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }

  private:
    std::chrono::steady_clock::time_point end_;
};

// No single wait may outlast the deadline: each blocking call gets the shorter of the time-out and the time left.
bool BoundWaits(HINTERNET handle, int timeoutMs, const Deadline& deadline) {
    const int left = deadline.LeftMs();
    if (left <= 0) {
        return false;
    }
    const int wait = std::min(timeoutMs, left);
    WinHttpSetTimeouts(handle, wait, wait, wait, wait);
    DWORD receive = static_cast<DWORD>(wait);
    WinHttpSetOption(handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &receive, sizeof(receive));
    return true;
}

bool ReadBody(HINTERNET request, std::string& body, int timeoutMs, const Deadline& deadline) {
    for (;;) {
        if (!BoundWaits(request, timeoutMs, deadline)) {
            return false;  // a trickle that would never end
        }
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            return false;  // includes time-outs (12002, and 10060 under Wine)
        }
        if (available == 0) {
            return true;
        }
        size_t room = WinHttpFetcher::kMaxBodyBytes - body.size();
        DWORD wanted = available < room ? available : static_cast<DWORD>(room);
        size_t oldSize = body.size();
        body.resize(oldSize + wanted);
        DWORD read = 0;
        if (!WinHttpReadData(request, body.data() + oldSize, wanted, &read)) {
            body.resize(oldSize);
            return false;
        }
        body.resize(oldSize + read);
        if (body.size() >= WinHttpFetcher::kMaxBodyBytes || read == 0) {
            return true;
        }
    }
}

}  // namespace

struct WinHttpFetcher::Shared {
    Shared(ProxySource proxy, int timeoutMs)
        : sessions(std::move(proxy), kUserAgent, timeoutMs), timeoutMs(timeoutMs) {}
    ProxySessions sessions;
    const int timeoutMs;
    std::atomic<bool> clientMissing{false};
};

struct WinHttpFetcher::Transfer {
    std::mutex lock;
    UniqueKernelHandle wake;  // set when the worker finished, or when the request is cancelled
    bool finished = false;
    Outcome outcome = Outcome::Failed;
    std::string body;
};

namespace {

// The request itself, on its worker thread: every blocking call is bounded by the time-out and the deadline, so on
// a system where the bounds hold the worker ends near the deadline too.
WinHttpFetcher::Outcome RunTransfer(WinHttpFetcher::Shared& shared,
                                    const std::string& url,
                                    int deadlineMs,
                                    std::string& body) {
    using Outcome = WinHttpFetcher::Outcome;
    body.clear();
    const Deadline deadline(deadlineMs);
    const std::wstring wideUrl = GbkToWide(url);
    UrlParts parts;
    const bool cracked = CrackUrl(wideUrl, parts);
    const std::wstring origin =
        cracked ? (parts.secure ? L"https://" : L"http://") + parts.host + L":" + std::to_wstring(parts.port)
                : std::wstring();
    HINTERNET session = static_cast<HINTERNET>(shared.sessions.SessionFor(wideUrl, origin, deadline.LeftMs()));
    shared.clientMissing = session == nullptr;
    if (session == nullptr) {
        return Outcome::NoClient;
    }
    if (!cracked) {
        return Outcome::Failed;
    }
    UniqueInternet connection(WinHttpConnect(session, parts.host.c_str(), parts.port, 0));
    if (!connection) {
        return Outcome::Failed;
    }
    UniqueInternet request(WinHttpOpenRequest(connection.get(), L"GET", parts.pathAndQuery.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              parts.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) {
        return Outcome::Failed;
    }
    const int timeoutMs = shared.timeoutMs;
    if (!BoundWaits(request.get(), timeoutMs, deadline) ||
        !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
        return Outcome::Failed;
    }
    if (!BoundWaits(request.get(), timeoutMs, deadline) || !WinHttpReceiveResponse(request.get(), nullptr)) {
        return Outcome::Failed;  // 12002 on Windows, 10060 under Wine for a server that never answers
    }
    if (!ReadBody(request.get(), body, timeoutMs, deadline)) {
        body.clear();
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

}  // namespace

WinHttpFetcher::WinHttpFetcher(Prompter& prompts, int timeoutMs, int deadlineMs, ProxySource proxy)
    : prompts_(prompts), deadlineMs_(deadlineMs), shared_(std::make_shared<Shared>(std::move(proxy), timeoutMs)) {}

WinHttpFetcher::~WinHttpFetcher() {
    CancelInFlight();
}

WinHttpFetcher::Outcome WinHttpFetcher::Get(const std::string& url, std::string& body) {
    body.clear();
    auto transfer = std::make_shared<Transfer>();
    transfer->wake.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!transfer->wake) {
        return Outcome::Failed;
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        inFlight_.push_back(transfer);
    }
    // The worker owns what it uses: a caller that stopped waiting leaves it to finish on its own.
    std::thread([shared = shared_, transfer, url, deadlineMs = deadlineMs_] {
        std::string answer;
        const Outcome outcome = RunTransfer(*shared, url, deadlineMs, answer);
        std::lock_guard<std::mutex> hold(transfer->lock);
        transfer->body = std::move(answer);
        transfer->outcome = outcome;
        transfer->finished = true;
        SetEvent(transfer->wake.get());
    }).detach();
    WaitForSingleObject(transfer->wake.get(), static_cast<DWORD>(deadlineMs_));
    {
        std::lock_guard<std::mutex> hold(lock_);
        inFlight_.erase(std::find(inFlight_.begin(), inFlight_.end(), transfer));
    }
    std::lock_guard<std::mutex> hold(transfer->lock);
    if (!transfer->finished) {
        return Outcome::Failed;  // past its deadline, or cancelled
    }
    body = std::move(transfer->body);
    return transfer->outcome;
}

void WinHttpFetcher::CancelInFlight() {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& transfer : inFlight_) {
        SetEvent(transfer->wake.get());
    }
}

bool WinHttpFetcher::ClientMissing() const {
    return shared_->clientMissing;
}

std::string WinHttpFetcher::HttpGetText(const std::string& url) {
    bool failed = false;
    std::string text = FetchText(url, failed);
    lastFailed_ = failed;
    if (failed && ClientMissing()) {
        prompts_.ShowMessage(gbk::kClientCreateFailed, gbk::kErrorTitle, MessageButtons::Ok, MessageIcon::Information);
    }
    return text;
}

std::string WinHttpFetcher::FetchText(const std::string& url, bool& failed) {
    std::string body;
    const Outcome outcome = Get(url, body);
    failed = outcome != Outcome::Ok;
    if (failed) {
        return std::string();
    }
    size_t zero = body.find('\0');
    if (zero != std::string::npos) {
        body.resize(zero);
    }
    return body;
}

bool WinHttpFetcher::HttpGetBytes(const std::string& url, std::string& body) {
    return Get(url, body) == Outcome::Ok;
}

}  // namespace zandrel
