// PageFetcher over WinHTTP: one blocking GET per call, in one client session for the fetcher's lifetime, so
// connections to a host are reused and requests from several threads share it.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "base/prompter.h"
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

    explicit WinHttpFetcher(Prompter& prompts, int timeoutMs = kDefaultTimeoutMs, int deadlineMs = kDefaultDeadlineMs);

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
    // The session, opened at the first request (and again after a failed opening); nullptr when it cannot be.
    void* Session() const;

    Prompter& prompts_;
    int timeoutMs_;
    int deadlineMs_;
    bool lastFailed_ = false;
    mutable std::mutex sessionLock_;
    mutable std::shared_ptr<void> session_;
};

}  // namespace zandrel
