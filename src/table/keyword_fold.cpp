#include "table/keyword_fold.h"

#include "table/word_search.h"

namespace zandrel {

namespace {

constexpr unsigned char kWideLead = 0xA3;  // row 3 of GB2312: full-width ASCII
constexpr unsigned char kWideFirst = 0xA1;
constexpr unsigned char kWideLast = 0xFE;
constexpr unsigned char kWideOffset = 0x80;  // A3A1 - 0x80 = '!'
constexpr unsigned char kSymbolLead = 0xA1;  // A1A1 is the full-width space

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string FoldKeyword(std::string_view keyword) {
    std::string folded;
    FoldKeywordInto(keyword, folded);
    return folded;
}

void FoldKeywordInto(std::string_view keyword, std::string& out) {
    out.clear();
    bool spaceOwed = false;  // a space seen since the last character written
    for (size_t i = 0; i < keyword.size();) {
        const size_t length = GbkCharLength(keyword, i);
        const auto lead = static_cast<unsigned char>(keyword[i]);
        char single = keyword[i];
        bool isSingle = length == 1;
        if (length == 2) {
            const auto trail = static_cast<unsigned char>(keyword[i + 1]);
            if (lead == kSymbolLead && trail == kSymbolLead) {
                single = ' ';
                isSingle = true;
            } else if (lead == kWideLead && trail >= kWideFirst && trail <= kWideLast) {
                single = static_cast<char>(trail - kWideOffset);
                isSingle = true;
            }
        }
        if (isSingle && single == ' ') {
            spaceOwed = !out.empty();
        } else {
            if (spaceOwed) {
                out += ' ';
                spaceOwed = false;
            }
            if (isSingle) {
                out += AsciiLower(single);
            } else {
                out.append(keyword.substr(i, 2));
            }
        }
        i += length;
    }
}

}  // namespace zandrel
