// The WinHTTP fetcher against a one-connection loopback server run in the test itself.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "query/winhttp_fetcher_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fake_host.h"

namespace zandrel {
namespace {

using testing::RecordingPrompter;

// How the loopback server misbehaves after reading the request head.
enum class Misbehaviour {
    None,         // sends the response and closes
    Silent,       // keeps the connection open without a word
    Trickle,      // sends the response head, then one body byte every 300 ms
    Endless,      // sends the response head, then body bytes as fast as they are taken, without end
    Late,         // sends the response and closes, 1.5 s after the request
    HeadTrickle,  // sends the status line, then one header line every 300 ms, never ending the head
};

// Accepts one connection, reads the request head, then answers as told until the server is destroyed.
class LoopbackServer {
  public:
    LoopbackServer(std::string response, bool answer)
        : LoopbackServer(std::move(response), answer ? Misbehaviour::None : Misbehaviour::Silent) {}
    LoopbackServer(std::string response, Misbehaviour how) : response_(std::move(response)), how_(how) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        listen(listener_, 4);
        int len = sizeof(addr);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }
    int Port() const { return port_; }
    std::string RequestHead() const { return head_; }

  private:
    void Serve() {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        char buffer[4096];
        while (head_.find("\r\n\r\n") == std::string::npos) {
            int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) {
                break;
            }
            head_.append(buffer, n);
        }
        for (int i = 0; how_ == Misbehaviour::Late && i < 75 && !stop_; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (how_ != Misbehaviour::Silent) {
            send(client, response_.data(), static_cast<int>(response_.size()), 0);
        }
        const std::string chunk(64 * 1024, 'x');
        while (!stop_ && how_ != Misbehaviour::None && how_ != Misbehaviour::Late) {
            if (how_ == Misbehaviour::Endless) {
                if (send(client, chunk.data(), static_cast<int>(chunk.size()), 0) <= 0) {
                    break;
                }
                continue;
            }
            if (how_ == Misbehaviour::Trickle && send(client, "x", 1, 0) <= 0) {
                break;
            }
            if (how_ == Misbehaviour::HeadTrickle && send(client, "X-Slow: y\r\n", 11, 0) <= 0) {
                break;
            }
            for (int i = 0; i < 15 && !stop_; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        closesocket(client);
    }

    std::string response_;
    Misbehaviour how_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::string head_;
    std::thread thread_;
};

std::string HttpResponse(const std::string& status, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

TEST(WinHttpFetcher, BodiesAreReturnedWhateverTheStatus) {
    const std::string withZero("abc\0def", 7);
    struct Case {
        const char* name;
        std::string response;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"cut at the first zero byte", HttpResponse("200 OK", withZero), "abc"},
        {"404 page", HttpResponse("404 Not Found", "<html>gone</html>"), "<html>gone</html>"},
        {"500 page", HttpResponse("500 Internal Server Error", "oops"), "oops"},
        {"no body", HttpResponse("200 OK", ""), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(c.response, true);
        RecordingPrompter prompter;
        WinHttpFetcher fetcher(prompter, 5000);
        EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(server.Port()) + "/p?q=%E5%A4%8F"), c.text);
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(server.RequestHead().rfind("GET /p?q=%E5%A4%8F HTTP/1.1\r\n", 0), 0u) << server.RequestHead();
    }
}

TEST(WinHttpFetcher, RawBytesKeepZeroBytes) {
    const std::string picture("\xff\xd8\0\x01jpeg", 7);
    LoopbackServer server(HttpResponse("200 OK", picture), true);
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 5000);
    std::string body;
    ASSERT_TRUE(fetcher.HttpGetBytes("http://127.0.0.1:" + std::to_string(server.Port()) + "/banner.jpg", body));
    EXPECT_EQ(body, picture);
}

TEST(WinHttpFetcher, FailuresAreSilentAndEmpty) {
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 2000);
    int closedPort = 0;
    {
        LoopbackServer server(HttpResponse("200 OK", "x"), true);
        closedPort = server.Port();
        // Let the server's one connection go by, so the port is closed afterwards.
        fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(closedPort) + "/");
    }
    EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(closedPort) + "/"), "");
    EXPECT_EQ(fetcher.HttpGetText("not a url"), "");
    std::string body = "stale";
    EXPECT_FALSE(fetcher.HttpGetBytes("http://127.0.0.1:" + std::to_string(closedPort) + "/", body));
    EXPECT_TRUE(body.empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(WinHttpFetcher, ServerThatNeverAnswersTimesOut) {
    LoopbackServer server("", false);
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 2000);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(server.Port()) + "/hang"), "");
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0);
    EXPECT_TRUE(prompter.messages.empty());
}

// Each request ends within its deadline whatever the server does, and counts as failed; the time-out of a single
// wait (longer here than the deadline) is no way round it.
TEST(WinHttpFetcher, EveryRequestEndsByItsDeadline) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n";
    const struct {
        const char* name;
        Misbehaviour how;
    } cases[] = {
        {"silent", Misbehaviour::Silent},
        {"trickle", Misbehaviour::Trickle},
        {"endless", Misbehaviour::Endless},
        {"head a line at a time", Misbehaviour::HeadTrickle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(c.how == Misbehaviour::HeadTrickle ? std::string("HTTP/1.1 200 OK\r\n") : head, c.how);
        RecordingPrompter prompter;
        WinHttpFetcher fetcher(prompter, 8000, 2000);
        const auto start = std::chrono::steady_clock::now();
        std::string body;
        const bool fetched = fetcher.HttpGetBytes("http://127.0.0.1:" + std::to_string(server.Port()) + "/", body);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // The endless server may fill the body cap before the deadline: then the capped body is the answer.
        if (c.how == Misbehaviour::Endless && fetched) {
            EXPECT_EQ(body.size(), WinHttpFetcher::kMaxBodyBytes);
        } else {
            EXPECT_FALSE(fetched);
            EXPECT_TRUE(body.empty());
        }
        EXPECT_LT(seconds, 4.0);
        EXPECT_TRUE(prompter.messages.empty());
    }
}

// A cancel ends the requests under way at once, whatever their servers do, and the fetcher serves the next one.
TEST(WinHttpFetcher, ACancelEndsTheRequestsUnderWayAtOnce) {
    for (Misbehaviour how : {Misbehaviour::Silent, Misbehaviour::HeadTrickle}) {
        LoopbackServer server("HTTP/1.1 200 OK\r\n", how);
        RecordingPrompter prompter;
        WinHttpFetcher fetcher(prompter, 8000, 8000);
        std::thread canceller([&fetcher] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            fetcher.CancelInFlight();
        });
        const auto start = std::chrono::steady_clock::now();
        bool failed = false;
        EXPECT_EQ(fetcher.FetchText("http://127.0.0.1:" + std::to_string(server.Port()) + "/", failed), "");
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        canceller.join();
        EXPECT_TRUE(failed);
        EXPECT_LT(seconds, 1.4);
        EXPECT_FALSE(fetcher.ClientMissing());

        LoopbackServer next(HttpResponse("200 OK", "after"), true);
        EXPECT_EQ(fetcher.FetchText("http://127.0.0.1:" + std::to_string(next.Port()) + "/", failed), "after");
        EXPECT_FALSE(failed);
    }
}

TEST(WinHttpFetcher, AFailedRequestIsToldApartFromAnEmptyAnswer) {
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 2000, 2000);
    {
        LoopbackServer server(HttpResponse("200 OK", ""), true);
        EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(server.Port()) + "/"), "");
        EXPECT_FALSE(fetcher.LastRequestFailed());
    }
    LoopbackServer silent("", false);
    EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(silent.Port()) + "/"), "");
    EXPECT_TRUE(fetcher.LastRequestFailed());
}

// The user's settings, as the browser keeps them, on a system without an automatic configuration of its own.
ProxySource UserSettingsOnly(const UserProxySettings& settings) {
    ProxySource source;
    source.systemAutomatic = false;
    source.readUserSettings = [settings](UserProxySettings& out) {
        out = settings;
        return true;
    };
    return source;
}

std::wstring LoopbackAt(int port) {
    return L"127.0.0.1:" + std::to_wstring(port);
}

// A host no resolver knows: its answer can only come through a proxy.
constexpr char kUnknownHostUrl[] = "http://suggest.zandrel-test.invalid/s?q=1";
// What a proxy is asked: the absolute address (Wine adds the default port to it).
bool AskedForTheUnknownHost(const std::string& head) {
    return head.rfind("GET http://suggest.zandrel-test.invalid/s?q=1 HTTP/1.1\r\n", 0) == 0 ||
           head.rfind("GET http://suggest.zandrel-test.invalid:80/s?q=1 HTTP/1.1\r\n", 0) == 0;
}

TEST(WinHttpFetcher, RequestsGoThroughTheUsersNamedProxy) {
    LoopbackServer proxy(HttpResponse("200 OK", "via proxy"), true);
    UserProxySettings user;
    user.proxy = LoopbackAt(proxy.Port());
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 5000, 5000, UserSettingsOnly(user));
    EXPECT_EQ(fetcher.HttpGetText(kUnknownHostUrl), "via proxy");
    EXPECT_TRUE(AskedForTheUnknownHost(proxy.RequestHead())) << proxy.RequestHead();
}

TEST(WinHttpFetcher, HostsOnTheBypassListAreAskedDirectly) {
    LoopbackServer server(HttpResponse("200 OK", "direct"), true);
    UserProxySettings user;
    user.proxy = L"127.0.0.1:9";  // nothing listens there
    user.bypass = L"<local>;127.0.0.1";
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 5000, 5000, UserSettingsOnly(user));
    EXPECT_EQ(fetcher.HttpGetText("http://127.0.0.1:" + std::to_string(server.Port()) + "/"), "direct");
}

TEST(WinHttpFetcher, AConfigurationScriptChoosesTheProxyAndAFailedScriptLeavesTheNamedOne) {
    for (bool scriptAnswers : {true, false}) {
        SCOPED_TRACE(scriptAnswers ? "script answers" : "script unreachable");
        LoopbackServer scriptProxy(HttpResponse("200 OK", "via script"), true);
        LoopbackServer namedProxy(HttpResponse("200 OK", "via named proxy"), true);
        const std::string script =
            "function FindProxyForURL(url, host) { return \"PROXY 127.0.0.1:" + std::to_string(scriptProxy.Port()) +
            "\"; }";
        LoopbackServer scriptServer(HttpResponse("200 OK", script),
                                    scriptAnswers ? Misbehaviour::None : Misbehaviour::Silent);
        UserProxySettings user;
        user.autoConfigUrl = L"http://" + LoopbackAt(scriptServer.Port()) + L"/proxy.pac";
        user.proxy = LoopbackAt(namedProxy.Port());
        RecordingPrompter prompter;
        WinHttpFetcher fetcher(prompter, 2000, 8000, UserSettingsOnly(user));
        EXPECT_EQ(fetcher.HttpGetText(kUnknownHostUrl), scriptAnswers ? "via script" : "via named proxy");
        EXPECT_TRUE(AskedForTheUnknownHost((scriptAnswers ? scriptProxy : namedProxy).RequestHead()));
        // The script is asked once per host, not once per request.
        EXPECT_EQ(fetcher.HttpGetText(kUnknownHostUrl), "");
        EXPECT_TRUE(fetcher.LastRequestFailed());  // each proxy answers one connection only
    }
}

// A script slower than a request waits for it: that request goes out through the named proxy, and the answer,
// once in, serves the requests after it.
TEST(WinHttpFetcher, AConfigurationScriptThatAnswersLateServesTheLaterRequests) {
    LoopbackServer scriptProxy(HttpResponse("200 OK", "via script"), true);
    LoopbackServer namedProxy(HttpResponse("200 OK", "via named proxy"), true);
    const std::string script =
        "function FindProxyForURL(url, host) { return \"PROXY 127.0.0.1:" + std::to_string(scriptProxy.Port()) +
        "\"; }";
    LoopbackServer scriptServer(HttpResponse("200 OK", script), Misbehaviour::Late);
    UserProxySettings user;
    user.autoConfigUrl = L"http://" + LoopbackAt(scriptServer.Port()) + L"/proxy.pac";
    user.proxy = LoopbackAt(namedProxy.Port());
    RecordingPrompter prompter;
    WinHttpFetcher fetcher(prompter, 1000, 8000, UserSettingsOnly(user));
    EXPECT_EQ(fetcher.HttpGetText(kUnknownHostUrl), "via named proxy");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(fetcher.HttpGetText(kUnknownHostUrl), "via script");
    EXPECT_TRUE(AskedForTheUnknownHost(scriptProxy.RequestHead())) << scriptProxy.RequestHead();
}

}  // namespace
}  // namespace zandrel
