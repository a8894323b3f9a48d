// Times the clean-up and parsing of suggestion answers and of a related-searches block of 1 KB, 1 MB and
// 8 MB (the fetcher's cap), and prints for each step its time per byte, its time, the bytes it read and the items
// it made, one figure a line as "name: value unit". Not a test; run by hand, best from an
// optimised build (the native preset's ASan build is several times slower):
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build/release --target parse_bench
//   build/release/tests/query/parse_bench [--first-version]
// --first-version also times the first, quadratic versions (tests/query/reference) on the smaller answers.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../fake_host.h"
#include "../reference/reference_parsers.h"
#include "query/gbk_texts.h"
#include "query/keyword_query.h"
#include "query/related_search.h"
#include "query/suggestion_source.h"

namespace {

using namespace zandrel;

// A source-B answer in the services' shape, UTF-8, about `bytes` long; keywords repeat so that the
// duplicate rule has work to do.
std::string SuggestionAnswer(size_t bytes) {
    std::string text = "jsonp5({\"result\":[";
    for (int i = 0; text.size() < bytes; ++i) {
        text += "[\"\xe8\xbf\x9e\xe8\xa1\xa3\xe8\xa3\x99 <b>" + std::to_string(i % 5000) + "</b>\",\"" +
                std::to_string(1000 + i) + "\"],";
    }
    text += "[\"end\",\"1\"]]})";
    return text;
}

// A related-searches block (GBK) about `bytes` long, links with and without their text end.
std::string RelatedBlock(size_t bytes) {
    std::string text = gbk::kRelatedHeading;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "<a href=\"/search?q=" + std::to_string(i) + "\">\xc1\xac\xd2\xc2\xc8\xb9" + std::to_string(i);
        text += (i % 7 == 0) ? "</a> " : "<span class=\"n\"></span></a> ";
    }
    return text + gbk::kAllItems;
}

template <typename F>
double Seconds(F&& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "1kb", "64kb", "1mb", "8mb": the nominal size of an answer, for the figures' names.
std::string SizeName(size_t bytes) {
    return bytes >= 1024 * 1024 ? std::to_string(bytes / (1024 * 1024)) + "mb" : std::to_string(bytes / 1024) + "kb";
}

// Prints `step`_`size`: its time per byte, then its time and the bytes it read.
void Report(const std::string& step, const std::string& size, size_t bytes, double seconds) {
    const std::string name = step + "_" + size;
    std::printf("%s: %.2f ns/byte\n", name.c_str(), seconds * 1e9 / static_cast<double>(bytes));
    std::printf("%s_time: %.3f ms\n", name.c_str(), seconds * 1e3);
    std::printf("%s_input: %zu bytes\n", name.c_str(), bytes);
}

// As Report, and the count of what the step made, in `unit`. `items` is a callback so that it is read after the
// step has run.
template <typename Items>
void Report(const std::string& step,
            const std::string& size,
            size_t bytes,
            double seconds,
            Items items,
            const char* unit) {
    Report(step, size, bytes, seconds);
    std::printf("%s_%s_%s: %zu %s\n", step.c_str(), size.c_str(), unit, static_cast<size_t>(items()), unit);
}

}  // namespace

int main(int argc, char** argv) {
    const bool firstVersion = argc > 1 && std::strcmp(argv[1], "--first-version") == 0;
    const std::vector<size_t> sizes = {1024, 1024 * 1024, 8 * 1024 * 1024};
    for (size_t size : sizes) {
        const std::string sizeName = SizeName(size);
        const std::string answer = SuggestionAnswer(size);
        std::string text;
        Report("convert_clean_source_b", sizeName, answer.size(),
               Seconds([&] { text = AssembleResponseText("", answer, ""); }));
        std::string cleanedA;
        const std::string gbkAnswer = Utf8ToGbk(answer);
        Report("remove_bold_tags_source_a", sizeName, gbkAnswer.size(),
               Seconds([&] { cleanedA = RemoveBoldTags(gbkAnswer); }));
        SuggestionList list;
        Report(
            "parse_suggestions", sizeName, text.size(), Seconds([&] { list = ParseSuggestions(text); }),
            [&] { return list.keywords.size(); }, "keywords");
        testing::FakeHost host;
        host.keyword = "seed";
        KeywordQuery query(host, Endpoints());
        Report(
            "append_rows_duplicate_rule", sizeName, text.size(),
            Seconds([&] { query.AppendSuggestionRows(list.keywords, list.counts); }),
            [&] { return host.RowCount() - 1; }, "rows");
        const std::string block = RelatedBlock(size);
        RelatedList related;
        Report(
            "extract_related_searches", sizeName, block.size(),
            Seconds([&] { related = ExtractRelatedSearches(block); }), [&] { return related.texts.size(); },
            "searches");

        if (firstVersion && size <= 1024 * 1024) {
            const size_t smallSize = size <= 1024 ? size : 64 * 1024;
            const std::string small = text.substr(0, smallSize);
            reference::SuggestionList old;
            Report(
                "parse_suggestions_first_version", SizeName(smallSize), small.size(),
                Seconds([&] { old = reference::ParseSuggestions(small); }), [&] { return old.keywords.size(); },
                "keywords");
        }
    }
    return 0;
}
