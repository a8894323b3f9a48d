// Times a depth-3 suggestion query against the simulated marketplace over plain POSIX sockets.
// Usage: query_bench [port] [keyword (UTF-8)] [delay-ms the marketplace was started with]
// Prints the rows appended, the requests made, the server's delay, the wall time, and wall / (requests * delay),
// one figure a line as "name: value unit".
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "query/keyword_query.h"

namespace {

using namespace zandrel;

// Blocking HTTP/1.0 GET of an "http://host:port/path" URL; the body cut at its first zero byte.
class SocketFetcher : public PageFetcher {
  public:
    std::string HttpGetText(const std::string& url) override {
        ++requests;
        const std::string prefix = "http://";
        if (url.rfind(prefix, 0) != 0) {
            return std::string();
        }
        size_t slash = url.find('/', prefix.size());
        std::string hostPort = url.substr(prefix.size(), slash - prefix.size());
        std::string target = slash == std::string::npos ? "/" : url.substr(slash);
        size_t colon = hostPort.find(':');
        std::string host = hostPort.substr(0, colon);
        std::string port = colon == std::string::npos ? "80" : hostPort.substr(colon + 1);

        addrinfo hints = {};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) {
            return std::string();
        }
        int fd = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        bool connected = fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) == 0;
        freeaddrinfo(found);
        if (!connected) {
            if (fd >= 0) {
                close(fd);
            }
            return std::string();
        }
        std::string request = "GET " + target + " HTTP/1.0\r\nHost: " + hostPort + "\r\n\r\n";
        if (send(fd, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size())) {
            close(fd);
            return std::string();
        }
        std::string response;
        char buffer[16384];
        ssize_t n = 0;
        while ((n = recv(fd, buffer, sizeof(buffer), 0)) > 0) {
            response.append(buffer, static_cast<size_t>(n));
        }
        close(fd);
        size_t bodyStart = response.find("\r\n\r\n");
        if (bodyStart == std::string::npos) {
            return std::string();
        }
        std::string body = response.substr(bodyStart + 4);
        return body.substr(0, body.find('\0'));
    }

    int requests = 0;
};

class SilentPrompter : public Prompter {
  public:
    MessageAnswer ShowMessage(std::string_view, std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Ok;
    }
    bool AskSavePath(const SaveDialogSetup&, std::string&) override { return false; }
};

class BenchHost : public QueryHost {
  public:
    int RowCount() const override { return static_cast<int>(rows.size()) + 1; }
    std::string GetCell(int row, int column) const override {
        if (row < 1 || row >= RowCount() || column < 0 || column > 3) {
            return std::string();
        }
        return rows[row - 1][column];
    }
    void SetCell(int row, int column, std::string_view text) override {
        if (row >= 1 && row < RowCount() && column >= 0 && column <= 3) {
            rows[row - 1][column] = std::string(text);
        }
    }
    void AppendRow(std::string_view firstCell) override { rows.push_back({std::string(firstCell), "", "", ""}); }
    std::string Keyword() const override { return keyword; }
    void SetKeyword(std::string_view text) override { keyword = std::string(text); }
    std::string QueryDepth() const override { return "3"; }
    void SetStatusVisible(bool) override {}
    void SetModified() override {}
    Prompter& Prompts() override { return prompter; }
    PageFetcher& Fetcher() override { return fetcher; }

    std::vector<std::vector<std::string>> rows;
    std::string keyword;
    SilentPrompter prompter;
    SocketFetcher fetcher;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string port = argc > 1 ? argv[1] : "18080";
    const std::string keyword = argc > 2 ? argv[2] : "连衣裙";
    const double delayMs = argc > 3 ? std::atof(argv[3]) : 50.0;

    Endpoints endpoints;
    endpoints.suggestHost = endpoints.suggestHost2 = endpoints.searchHost = "127.0.0.1:" + port;
    BenchHost host;
    host.keyword = Utf8ToGbk(keyword);
    KeywordQuery query(host, endpoints);

    auto start = std::chrono::steady_clock::now();
    query.StartSuggestionQuery();
    double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    int requests = host.fetcher.requests;
    std::printf("socket_query_depth3_rows: %zu rows\n", host.rows.size());
    std::printf("socket_query_depth3_requests: %d requests\n", requests);
    std::printf("socket_query_depth3_server_delay: %.0f ms\n", delayMs);
    std::printf("socket_query_depth3_wall_time: %.1f ms\n", wallMs);
    if (requests > 0 && delayMs > 0) {
        // The wall time over the serial latency bound, requests x the server's delay.
        std::printf("socket_query_depth3_wall_over_serial_bound: %.3f x\n", wallMs / (requests * delayMs));
    }
    return requests > 0 ? 0 : 1;
}
