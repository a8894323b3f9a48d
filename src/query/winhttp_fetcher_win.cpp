#include "query/winhttp_fetcher_win.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "base/encoding.h"
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

WinHttpFetcher::WinHttpFetcher(Prompter& prompts, int timeoutMs, int deadlineMs, ProxySource proxy)
    : prompts_(prompts),
      timeoutMs_(timeoutMs),
      deadlineMs_(deadlineMs),
      sessions_(std::move(proxy), kUserAgent, timeoutMs) {}

WinHttpFetcher::Outcome WinHttpFetcher::Get(const std::string& url, std::string& body) const {
    body.clear();
    const Deadline deadline(deadlineMs_);
    const std::wstring wideUrl = GbkToWide(url);
    UrlParts parts;
    const bool cracked = CrackUrl(wideUrl, parts);
    const std::wstring origin =
        cracked ? (parts.secure ? L"https://" : L"http://") + parts.host + L":" + std::to_wstring(parts.port)
                : std::wstring();
    HINTERNET session = static_cast<HINTERNET>(sessions_.SessionFor(wideUrl, origin, deadline.LeftMs()));
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
    if (!BoundWaits(request.get(), timeoutMs_, deadline) ||
        !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
        return Outcome::Failed;
    }
    if (!BoundWaits(request.get(), timeoutMs_, deadline) || !WinHttpReceiveResponse(request.get(), nullptr)) {
        return Outcome::Failed;  // 12002 on Windows, 10060 under Wine for a server that never answers
    }
    if (!ReadBody(request.get(), body, timeoutMs_, deadline)) {
        body.clear();
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

std::string WinHttpFetcher::HttpGetText(const std::string& url) {
    bool failed = false;
    std::string text = FetchText(url, failed);
    lastFailed_ = failed;
    return text;
}

std::string WinHttpFetcher::FetchText(const std::string& url, bool& failed) {
    std::string body;
    Outcome outcome = Get(url, body);
    failed = outcome != Outcome::Ok;
    if (outcome == Outcome::NoClient) {
        prompts_.ShowMessage(gbk::kClientCreateFailed, gbk::kErrorTitle, MessageButtons::Ok, MessageIcon::Information);
        return std::string();
    }
    if (outcome != Outcome::Ok) {
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
