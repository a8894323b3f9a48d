// PageFetcher over WinHTTP: one blocking GET per call, in client sessions kept for the fetcher's lifetime (one,
// unless the user's proxy script sends hosts through different proxies), so connections to a host are reused and
// requests from several threads share them. Each request runs on a worker thread of its own, and the caller waits
// for it at most until its deadline or a cancel, whatever WinHTTP does meanwhile.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/prompter.h"
#include "query/proxy_sessions_win.h"
#include "query/query_host.h"

namespace zandrel {

class WinHttpFetcher : public PageFetcher {
  public:
    // Wine does not honour the session time-outs for a server that accepts and never answers; the
    // per-request receive-response time-out is what bounds such a request there.
    static constexpr int kDefaultTimeoutMs = 10000;
    // Every request ends this long after it starts, from resolving the host to the last byte, whatever the server
    // does (silent, trickling its head or its body, sending without end); one that runs out counts as failed.
    static constexpr int kDefaultDeadlineMs = 15000;
    // Larger bodies are cut here; no page the program reads comes near it.
    static constexpr size_t kMaxBodyBytes = 8u * 1024u * 1024u;

    // Requests go through the proxy the system or the user configured (see ProxySource).
    explicit WinHttpFetcher(Prompter& prompts,
                            int timeoutMs = kDefaultTimeoutMs,
                            int deadlineMs = kDefaultDeadlineMs,
                            ProxySource proxy = ProxySource());
    ~WinHttpFetcher() override;
    WinHttpFetcher(const WinHttpFetcher&) = delete;
    WinHttpFetcher& operator=(const WinHttpFetcher&) = delete;

    // The body up to its first zero byte; empty on any failure. When no HTTP client can be created the
    // user is told ("创建对象失败！") and the result is empty. The HTTP status is not examined.
    std::string HttpGetText(const std::string& url) override;

    // The raw body bytes (for pictures). False on any failure, and nothing is shown to the user.
    bool HttpGetBytes(const std::string& url, std::string& body);

    // Whether the last request failed (refused, timed out, ran past its deadline), as opposed to an empty answer.
    bool LastRequestFailed() const override { return lastFailed_; }
    // Requests share the session, which WinHTTP lets any number of threads use at once. Silent: a caller that
    // wants the user told asks ClientMissing().
    std::string FetchText(const std::string& url, bool& failed) override;
    bool ManyAtOnce() const override { return true; }
    // Every request now under way returns at once, failed; later requests go out as usual.
    void CancelInFlight() override;
    bool ClientMissing() const override;

    struct Shared;    // what a request's worker uses: the sessions, the time-outs
    struct Transfer;  // one request, from its worker to the caller waiting for it

    enum class Outcome { Ok, NoClient, Failed };

  private:
    Outcome Get(const std::string& url, std::string& body);

    Prompter& prompts_;
    int deadlineMs_;
    bool lastFailed_ = false;
    // Kept alive by the workers too: a request whose caller stopped waiting (deadline, cancel) may still be in
    // WinHTTP, which not every system lets a closed handle interrupt; it finishes on its own and its answer goes.
    std::shared_ptr<Shared> shared_;
    std::mutex lock_;
    std::vector<std::shared_ptr<Transfer>> inFlight_;
};

}  // namespace zandrel
