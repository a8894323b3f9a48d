// A page fetcher that keeps the window alive while it waits: the request runs on a thread of its own and the
// calling (window) thread goes on dispatching its messages until the answer is there. The query algorithms stay
// on the window thread, so every table change happens there.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "query/query_host.h"

namespace zandrel {

class PumpingFetcher : public PageFetcher {
  public:
    struct Hooks {
        // Esc pressed in any window of this thread while a request is waited for (the key is not passed on).
        std::function<void()> onEscape;
        // After every answer.
        std::function<void()> onAnswer;
    };
    PumpingFetcher(PageFetcher& inner, Hooks hooks);

    std::string HttpGetText(const std::string& url) override;
    bool LastRequestFailed() const override { return lastFailed_; }

    long Requests() const { return requests_; }
    long Failures() const { return failures_; }
    void ResetCounts() { requests_ = failures_ = 0; }

  private:
    // Dispatches messages until `done` is signalled.
    void PumpUntil(HANDLE done);

    PageFetcher& inner_;
    Hooks hooks_;
    bool lastFailed_ = false;
    long requests_ = 0;
    long failures_ = 0;
};

}  // namespace zandrel
