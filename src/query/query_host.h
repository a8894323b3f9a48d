// What the query algorithms see of the program: the results table, the keyword box, the depth choice,
// the status label, the prompter and the page fetcher. The main window implements it; tests use fakes.
#pragma once

#include <string>
#include <string_view>

#include "base/prompter.h"

namespace zandrel {

// One blocking HTTP GET per call. Returns the raw body cut at its first zero byte; empty on any failure.
class PageFetcher {
  public:
    virtual ~PageFetcher() = default;
    virtual std::string HttpGetText(const std::string& url) = 0;
    // Whether the last HttpGetText failed rather than found an empty answer; fetchers that cannot tell say no.
    virtual bool LastRequestFailed() const { return false; }

    // HttpGetText with its failure told in `failed`. A fetcher whose ManyAtOnce() is true may be called so from
    // several threads at once, and answers fetched ahead are then asked of it that way.
    virtual std::string FetchText(const std::string& url, bool& failed) {
        std::string text = HttpGetText(url);
        failed = LastRequestFailed();
        return text;
    }
    virtual bool ManyAtOnce() const { return false; }
    // Makes every request now under way return at once, failed, whatever its server does; fetchers that cannot
    // interrupt a request let it finish.
    virtual void CancelInFlight() {}
    // True while no HTTP client can be created at all (the user is to be told, once, by the caller's window).
    virtual bool ClientMissing() const { return false; }
};

class QueryHost {
  public:
    virtual ~QueryHost() = default;

    // Results table (row 0 is the header row).
    virtual int RowCount() const = 0;
    // Empty text for a cell outside the table.
    virtual std::string GetCell(int row, int column) const = 0;
    // A cell outside the table is ignored.
    virtual void SetCell(int row, int column, std::string_view text) = 0;
    virtual void AppendRow(std::string_view firstCell) = 0;

    // The seed keyword edit box.
    virtual std::string Keyword() const = 0;
    virtual void SetKeyword(std::string_view text) = 0;

    // Text of the selected depth item ("1", "2" or "3").
    virtual std::string QueryDepth() const = 0;

    // The "正在查询中。。。" status label.
    virtual void SetStatusVisible(bool visible) = 0;

    virtual void SetModified() = 0;

    virtual Prompter& Prompts() = 0;
    virtual PageFetcher& Fetcher() = 0;

    // True once the seller asked a running query to stop: the run ends at once, and the step whose answers it cut
    // short adds no rows, so every batch of rows in the table is whole.
    virtual bool StopRequested() const { return false; }
    // Whether the second and third levels leave this keyword (GBK) unexpanded: its own row stays, but no request is
    // made for it, so nothing is added from it (the seller's exclude words, when the seller chose so).
    virtual bool SkipExpanding(const std::string& /*keyword*/) const { return false; }
    // The text of the box that ends a run, given the plain "查询完成": a host may add what went wrong or that the
    // run was stopped.
    virtual std::string RunEndText(std::string_view doneText) const { return std::string(doneText); }
};

}  // namespace zandrel
