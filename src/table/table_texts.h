// Fixed GBK texts of the results table. Escaped bytes keep the sources independent of the compiler's
// execution character set; the Chinese is given beside each one.
#pragma once

#include <array>
#include <string_view>

namespace zandrel {

inline constexpr int kTableColumnCount = 4;

// The columns, in the order of the titles below.
inline constexpr int kSequenceColumn = 0;
inline constexpr int kKeywordColumn = 1;
inline constexpr int kListingsColumn = 2;
inline constexpr int kSearchedColumn = 3;

inline constexpr std::string_view kTitleSequence = "\xD0\xF2\xBA\xC5";                          // 序号
inline constexpr std::string_view kTitleKeyword = "\xB9\xD8\xBC\xFC\xB4\xCA";                   // 关键词
inline constexpr std::string_view kTitleListings = "\xB1\xA6\xB1\xB4\xCA\xFD";                  // 宝贝数
inline constexpr std::string_view kTitleSearched = "\xCB\xD1\xCB\xF7\xB9\xD8\xBC\xFC\xB4\xCA";  // 搜索关键词

inline constexpr std::array<std::string_view, kTableColumnCount> kColumnTitles = {kTitleSequence, kTitleKeyword,
                                                                                  kTitleListings, kTitleSearched};
inline constexpr std::array<int, kTableColumnCount> kColumnWidths = {30, 140, 90, 140};

// A column with this title is never written to a saved file.
inline constexpr std::string_view kTitleModifiedMark = "\xD0\xDE\xB8\xC4\xB1\xEA\xCA\xB6";  // 修改标识

}  // namespace zandrel
