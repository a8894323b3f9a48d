#include "app/pumping_fetcher_win.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "base/win_handles.h"

namespace zandrel {

// One request on a thread of its own; the answer is read only after `done` is signalled.
struct PumpingFetcher::Request {
    std::string url;
    std::string answer;
    bool failed = false;
    UniqueKernelHandle done;
    std::thread thread;

    ~Request() {
        if (thread.joinable()) {
            thread.join();
        }
    }
};

PumpingFetcher::PumpingFetcher(PageFetcher& inner, Hooks hooks) : inner_(inner), hooks_(std::move(hooks)) {}

PumpingFetcher::~PumpingFetcher() {
    ahead_.clear();  // joins the threads (none outside a run: each run drops what it fetched ahead)
}

void PumpingFetcher::BeginRun() {
    requests_ = failures_ = prefetched_ = 0;
    cancelled_ = false;
    clientMissingTold_ = false;
}

void PumpingFetcher::CancelRun() {
    cancelled_ = true;
    inner_.CancelInFlight();
}

std::shared_ptr<PumpingFetcher::Request> PumpingFetcher::Start(const std::string& url) {
    auto request = std::make_shared<Request>();
    request->url = url;
    request->done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!request->done) {
        return nullptr;
    }
    Request* r = request.get();
    PageFetcher& inner = inner_;
    r->thread = std::thread([r, &inner] {
        r->answer = inner.FetchText(r->url, r->failed);
        SetEvent(r->done.get());
    });
    return request;
}

void PumpingFetcher::FetchAhead(size_t alsoRunning) {
    if (!inner_.ManyAtOnce() || !hooks_.upcoming) {
        return;
    }
    // The next addresses in order; each one already under way (as often as it comes) is skipped.
    const std::vector<std::string> next = hooks_.upcoming(kInFlight * 2);
    std::vector<bool> taken(ahead_.size(), false);
    size_t running = alsoRunning;
    for (const auto& r : ahead_) {
        running += WaitForSingleObject(r->done.get(), 0) == WAIT_OBJECT_0 ? 0 : 1;
    }
    for (const std::string& url : next) {
        bool underWay = false;
        for (size_t i = 0; i < ahead_.size() && !underWay; ++i) {
            if (!taken[i] && ahead_[i]->url == url) {
                taken[i] = true;
                underWay = true;
            }
        }
        if (underWay) {
            continue;
        }
        if (running >= kInFlight) {
            break;
        }
        if (auto request = Start(url)) {
            ahead_.push_back(std::move(request));
            taken.push_back(true);
            ++running;
        }
    }
}

void PumpingFetcher::DropFetchedAhead() {
    for (const auto& r : ahead_) {
        PumpUntil(r->done.get());
    }
    ahead_.clear();
}

void PumpingFetcher::PumpUntil(HANDLE done) {
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        // Also once the answer is in: a Stop that came with it counts before the next request.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;  // for the outer loop, once the answer is in
                quitCode = msg.wParam;
                continue;
            }
            if (hooks_.preTranslate && hooks_.preTranslate(msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) {
            break;
        }
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(quitCode));
    }
}

std::string PumpingFetcher::HttpGetText(const std::string& url) {
    if (cancelled_) {
        lastFailed_ = true;  // a stopped run asks nothing more
        return std::string();
    }
    std::shared_ptr<Request> request;
    const auto found = std::find_if(ahead_.begin(), ahead_.end(), [&](const auto& r) { return r->url == url; });
    if (found != ahead_.end()) {
        request = *found;
        ahead_.erase(found);
        ++prefetched_;
    } else {
        request = Start(url);
    }
    std::string answer;
    bool failed = false;
    if (request) {
        FetchAhead(WaitForSingleObject(request->done.get(), 0) == WAIT_OBJECT_0 ? 0 : 1);
        PumpUntil(request->done.get());
        if (request->thread.joinable()) {
            request->thread.join();
        }
        answer = std::move(request->answer);
        failed = request->failed;
    } else {
        // No event to wait on: fetch in place.
        answer = inner_.FetchText(url, failed);
    }
    ++requests_;
    lastFailed_ = failed;
    if (failed) {
        ++failures_;
        if (inner_.ClientMissing() && !clientMissingTold_ && hooks_.onClientMissing) {
            clientMissingTold_ = true;
            hooks_.onClientMissing();
        }
    }
    return answer;
}

}  // namespace zandrel
