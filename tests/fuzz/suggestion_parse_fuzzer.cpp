// Fuzzes the clean-up of the three suggestion answers and the parser over the joined text.
// Input: the three UTF-8 answers separated by 0xFF bytes (a byte UTF-8 never contains).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../query/fake_host.h"
#include "query/keyword_query.h"
#include "query/suggestion_source.h"
#include "query/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (int i = 0; i < 2; ++i) {
        size_t cut = input.find('\xff');
        if (cut == std::string_view::npos) {
            parts[i] = input;
            input = std::string_view();
            continue;
        }
        parts[i] = input.substr(0, cut);
        input.remove_prefix(cut + 1);
    }
    parts[2] = input;

    std::string text = zandrel::AssembleResponseText(parts[0], parts[1], parts[2]);
    zandrel::SuggestionList list = zandrel::ParseSuggestions(text);
    if (list.entryCount != static_cast<int>(zandrel::SplitText(text, "[\"").size()) - 1) {
        abort();
    }
    // The raw bytes as if they were already GBK, straight into the parser and onto a table.
    zandrel::SuggestionList raw =
        zandrel::ParseSuggestions(std::string_view(reinterpret_cast<const char*>(data), size));
    zandrel::testing::FakeHost host;
    host.keyword = "seed";
    zandrel::KeywordQuery query(host, zandrel::Endpoints());
    query.AppendSuggestionRows(raw.keywords, raw.counts);
    if (host.RowCount() - 1 > static_cast<int>(raw.keywords.size())) {
        abort();
    }
    return 0;
}
