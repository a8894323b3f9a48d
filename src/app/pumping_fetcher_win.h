// A page fetcher that keeps the window alive while it waits: requests run on threads of their own and the calling
// (window) thread goes on dispatching its messages until the answer it asked for is there. The query algorithms
// stay on the window thread, so every table change happens there.
//
// When the inner fetcher takes several requests at once, the addresses the query will ask for next are fetched
// ahead (at most kInFlight requests at a time) and each answer is handed over when it is asked for. The requests
// the query makes, in their order, and so its rows, are the same as without fetching ahead.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "query/query_host.h"

namespace zandrel {

class PumpingFetcher : public PageFetcher {
  public:
    static constexpr size_t kInFlight = 4;

    struct Hooks {
        // Sees every message the wait dispatches first, as the program's own message loop does (the window's
        // keyboard: Tab, Enter, Esc, Ctrl+S); true when it used the message.
        std::function<bool(MSG&)> preTranslate;
        // The addresses that will be asked for next, in order (at most the given number); none when unset.
        std::function<std::vector<std::string>(size_t)> upcoming;
        // No HTTP client could be created: called on the waiting (window) thread, once a run.
        std::function<void()> onClientMissing;
    };
    PumpingFetcher(PageFetcher& inner, Hooks hooks);
    ~PumpingFetcher() override;
    PumpingFetcher(const PumpingFetcher&) = delete;
    PumpingFetcher& operator=(const PumpingFetcher&) = delete;

    std::string HttpGetText(const std::string& url) override;
    bool LastRequestFailed() const override { return lastFailed_; }

    // A run begins: counts from zero, requests go out again.
    void BeginRun();
    // The run stops: the requests under way return at once, failed, and later ones fail without going out, until
    // the next BeginRun.
    void CancelRun();
    // Waits for the requests still under way and drops their answers (the end of a run: nobody asks for them).
    void DropFetchedAhead();

    long Requests() const { return requests_; }
    long Failures() const { return failures_; }
    // Answers fetched ahead that were handed over, since the last BeginRun.
    long Prefetched() const { return prefetched_; }

  private:
    struct Request;
    std::shared_ptr<Request> Start(const std::string& url);
    // Starts requests for the next addresses while fewer than kInFlight run (alsoRunning: the one asked for).
    void FetchAhead(size_t alsoRunning);
    // Dispatches messages until `done` is signalled, and once more after.
    void PumpUntil(HANDLE done);

    PageFetcher& inner_;
    Hooks hooks_;
    std::deque<std::shared_ptr<Request>> ahead_;
    bool lastFailed_ = false;
    bool cancelled_ = false;
    bool clientMissingTold_ = false;
    long requests_ = 0;
    long failures_ = 0;
    long prefetched_ = 0;
};

}  // namespace zandrel
