// In-memory QueryHost for the query tests: a four-column table under a header row, a keyword box, a
// scripted fetcher that answers by exact URL (empty for anything unscripted) and records every request,
// and a prompter that records every message.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/encoding.h"
#include "query/query_host.h"

namespace zandrel::testing {

// UTF-8 test text -> the GBK bytes the program works with.
inline std::string G(std::string_view utf8) {
    return Utf8ToGbk(utf8);
}

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageButtons buttons;
    MessageIcon icon;
};

class RecordingPrompter : public Prompter {
  public:
    MessageAnswer ShowMessage(std::string_view text,
                              std::string_view title,
                              MessageButtons buttons,
                              MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), buttons, icon});
        return MessageAnswer::Ok;
    }
    bool AskSavePath(const SaveDialogSetup&, std::string&) override { return false; }

    std::vector<RecordedMessage> messages;
};

class ScriptedFetcher : public PageFetcher {
  public:
    std::string HttpGetText(const std::string& url) override {
        requests.push_back(url);
        if (onRequest) {
            onRequest();
        }
        auto it = answers.find(url);
        return it == answers.end() ? std::string() : it->second;
    }

    std::map<std::string, std::string> answers;
    std::vector<std::string> requests;
    std::function<void()> onRequest;  // called as each request goes out, after it is recorded
};

class FakeHost : public QueryHost {
  public:
    using Row = std::vector<std::string>;  // columns 0..3

    FakeHost() { table.push_back({G("序号"), G("关键词"), G("宝贝数"), G("搜索关键词")}); }

    int RowCount() const override { return static_cast<int>(table.size()); }
    std::string GetCell(int row, int column) const override {
        if (row < 0 || row >= RowCount() || column < 0 || column > 3) {
            return std::string();
        }
        return table[row][column];
    }
    void SetCell(int row, int column, std::string_view text) override {
        if (row < 0 || row >= RowCount() || column < 0 || column > 3) {
            return;
        }
        table[row][column] = std::string(text);
    }
    void AppendRow(std::string_view firstCell) override { table.push_back({std::string(firstCell), "", "", ""}); }

    std::string Keyword() const override { return keyword; }
    void SetKeyword(std::string_view text) override { keyword = std::string(text); }
    std::string QueryDepth() const override { return depth; }
    void SetStatusVisible(bool visible) override { statusChanges.push_back(visible); }
    void SetModified() override { modified = true; }
    // A stop pressed while the given request (1-based, counted over the run) was waited for.
    bool StopRequested() const override { return stopDuringRequest > 0 && Requests() >= stopDuringRequest; }
    bool SkipExpanding(const std::string& kw) const override { return skipExpanding && skipExpanding(kw); }
    int Requests() const { return static_cast<int>(fetcher.requests.size()); }
    Prompter& Prompts() override { return prompter; }
    PageFetcher& Fetcher() override { return fetcher; }

    // Data rows only (without the header).
    std::vector<Row> DataRows() const { return std::vector<Row>(table.begin() + 1, table.end()); }

    std::vector<Row> table;
    std::string keyword;
    std::string depth = "1";
    std::vector<bool> statusChanges;
    bool modified = false;
    int stopDuringRequest = 0;
    std::function<bool(const std::string&)> skipExpanding;  // none: every keyword is expanded
    RecordingPrompter prompter;
    ScriptedFetcher fetcher;
};

}  // namespace zandrel::testing
