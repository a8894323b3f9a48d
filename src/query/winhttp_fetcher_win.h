// PageFetcher over WinHTTP: one blocking GET per call, in client sessions kept for the fetcher's lifetime (one,
// unless the user's proxy script sends hosts through different proxies), so connections to a host are reused and
// requests from several threads share them.
#pragma once

#include <string>

#include "base/prompter.h"
#include "query/proxy_sessions_win.h"
#include "query/query_host.h"

namespace zandrel {

class WinHttpFetcher : public PageFetcher {
  public:
    // Wine does not honour the session time-outs for a server that accepts and never answers; the
    // per-request receive-response time-out is what bounds such a request there.
    static constexpr int kDefaultTimeoutMs = 10000;
    // Every request ends this long after it starts, from sending to the last byte, whatever the server does
    // (silent, trickling a byte at a time, sending without end); one that runs out counts as failed.
    static constexpr int kDefaultDeadlineMs = 15000;
    // Larger bodies are cut here; no page the program reads comes near it.
    static constexpr size_t kMaxBodyBytes = 8u * 1024u * 1024u;

    // Requests go through the proxy the system or the user configured (see ProxySource).
    explicit WinHttpFetcher(Prompter& prompts,
                            int timeoutMs = kDefaultTimeoutMs,
                            int deadlineMs = kDefaultDeadlineMs,
                            ProxySource proxy = ProxySource());

    // The body up to its first zero byte; empty on any failure. When no HTTP client can be created the
    // user is told ("创建对象失败！") and the result is empty. The HTTP status is not examined.
    std::string HttpGetText(const std::string& url) override;

    // The raw body bytes (for pictures). False on any failure, and nothing is shown to the user.
    bool HttpGetBytes(const std::string& url, std::string& body);

    // Whether the last request failed (refused, timed out, ran past its deadline), as opposed to an empty answer.
    bool LastRequestFailed() const override { return lastFailed_; }
    // Requests share the session, which WinHTTP lets any number of threads use at once.
    std::string FetchText(const std::string& url, bool& failed) override;
    bool ManyAtOnce() const override { return true; }

  private:
    enum class Outcome { Ok, NoClient, Failed };
    Outcome Get(const std::string& url, std::string& body) const;

    Prompter& prompts_;
    int timeoutMs_;
    int deadlineMs_;
    bool lastFailed_ = false;
    // Opened at the first request (and again after a failed opening).
    mutable ProxySessions sessions_;
};

}  // namespace zandrel
