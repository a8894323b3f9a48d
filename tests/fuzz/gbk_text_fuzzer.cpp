// Fuzzes the GBK text operations on arbitrary bytes: the text is copied into a buffer of exactly its size so
// that any read past its end is caught, searches must agree with the first versions kept in
// tests/query/reference, every match and every cut must fall on a character boundary, and the pieces of a
// split must join back into the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../query/reference/reference_parsers.h"
#include "base/encoding.h"
#include "fuzz_common.h"
#include "query/text_ops.h"
#include "table/csv_writer.h"

namespace {

using namespace zandrel;
using fuzz::Check;

// charStart[i]: byte i begins a character, counting from the first byte; charStart[size] is true.
std::vector<bool> CharStarts(std::string_view text) {
    std::vector<bool> starts(text.size() + 1, false);
    size_t i = 0;
    while (i < text.size()) {
        starts[i] = true;
        i += (IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

// Whether `sought` is whole characters: no lead byte at its end waiting for a second byte. A match of such a
// text that begins on a character ends on one too.
bool WholeCharacters(std::string_view sought) {
    size_t i = 0;
    while (i < sought.size()) {
        i += IsGbkLeadByte(static_cast<unsigned char>(sought[i])) ? 2 : 1;
    }
    return i == sought.size();
}

void CheckMatch(std::string_view text,
                const std::vector<bool>& starts,
                std::string_view sought,
                int start,
                int at,
                bool ignoreCase) {
    if (at == -1) {
        return;
    }
    Check(at >= 1 && at >= start && static_cast<size_t>(at) - 1 + sought.size() <= text.size(), "match in range");
    Check(starts[at - 1], "a match begins on a character");
    if (!ignoreCase) {
        Check(text.substr(at - 1, sought.size()) == sought, "the match is the sought text");
    }
    if (WholeCharacters(sought) && !ignoreCase) {
        Check(starts[at - 1 + sought.size()], "a match of whole characters ends on a character");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const int start = provider.ConsumeIntegralInRange<int>(-2, 80);
    const std::string sought = provider.ConsumeRandomLengthString(8);
    const std::string right = provider.ConsumeRandomLengthString(4);
    const size_t cut = provider.ConsumeIntegralInRange<size_t>(0, 64);
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    // Exactly the text's bytes on the heap: no terminating zero to lean on.
    std::unique_ptr<char[]> buffer(new char[rest.size() ? rest.size() : 1]);
    std::copy(rest.begin(), rest.end(), buffer.get());
    const std::string_view text(buffer.get(), rest.size());
    const std::vector<bool> starts = CharStarts(text);

    const int found = FindText(text, sought, start);
    const int foundIgnoringCase = FindTextIgnoreCase(text, sought, start);
    Check(found == reference::FindText(text, sought, start), "FindText as the first version");
    Check(foundIgnoringCase == reference::FindTextIgnoreCase(text, sought, start), "ignore-case as the first version");
    CheckMatch(text, starts, sought, start, found, false);
    CheckMatch(text, starts, sought, start, foundIgnoringCase, true);

    TextSearcher searcher(text);
    for (int s : {start, 1, start + 7, found, found + 1, static_cast<int>(text.size())}) {
        Check(searcher.Find(sought, s) == FindText(text, sought, s), "searcher as FindText");
        Check(searcher.FindIgnoreCase(sought, s) == FindTextIgnoreCase(text, sought, s), "searcher ignoring case");
        Check(searcher.Between(sought, right, s) == TextBetween(text, sought, right, s), "searcher between");
    }
    const std::string between = TextBetween(text, sought, right, start);
    Check(between == reference::TextBetween(text, sought, right, start), "TextBetween as the first version");

    // Split: pieces joined by the separator give the text back (a separator that ends the text is dropped).
    // A separator of whole characters is found only where a character begins; after one that ends in a lone
    // lead byte the split goes on counting characters from the byte after it, as it always has.
    const std::vector<std::string> pieces = SplitText(text, sought);
    Check(pieces == reference::SplitText(text, sought), "SplitText as the first version");
    std::string joined;
    size_t at = 0;
    for (size_t k = 0; k < pieces.size(); ++k) {
        joined += pieces[k];
        at += pieces[k].size();
        if (k + 1 < pieces.size() || joined.size() < text.size()) {
            if (!sought.empty() && WholeCharacters(sought)) {
                Check(at < text.size() && starts[at], "a separator begins on a character");
            }
            joined += sought;
            at += sought.size();
        }
    }
    Check(text.empty() ? pieces.empty() : joined == text, "the pieces join back into the text");

    const std::string mid = MidText(text, start, static_cast<int>(cut));
    Check(mid == reference::MidText(text, start, static_cast<int>(cut)), "MidText as the first version");
    Check(DeleteSpan(text, start, static_cast<int>(cut)) == reference::DeleteSpan(text, start, static_cast<int>(cut)),
          "DeleteSpan as the first version");

    // Cutting to a byte count keeps whole characters, as many as fit.
    const std::string shortened = CutGbk(text, cut);
    Check(shortened.size() <= cut && text.substr(0, shortened.size()) == shortened, "CutGbk gives a prefix");
    Check(starts[shortened.size()], "CutGbk ends on a character");
    if (shortened.size() < text.size()) {
        size_t next = shortened.size() + 1;
        while (!starts[next]) {
            ++next;
        }
        Check(next > cut, "CutGbk keeps every character that fits");
    }

    // The document name is the part after the last backslash that is a character of its own.
    const std::string name = DocumentNameFromPath(text);
    size_t lastSeparator = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (starts[i] && text[i] == '\\') {
            lastSeparator = i;
        }
    }
    Check(lastSeparator == std::string_view::npos ? name.empty() : name == CutGbk(text.substr(lastSeparator + 1), 100),
          "document name after the last backslash");
    return 0;
}
