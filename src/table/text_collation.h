// How text cells are ordered when the table is sorted by a text column. The window passes the system's
// Chinese collation (CompareStringEx with zh-CN); CompareGbkBytes is the portable order used without it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zandrel {

// Negative when `a` comes before `b`, zero when they are equal in this order, positive otherwise.
using TextCollation = std::function<int(std::string_view a, std::string_view b)>;

// The same order given as a key per text, compared byte by byte (as the system's sort keys are): a sort makes one
// key per distinct text instead of comparing texts afresh at every step.
using SortKeyMaker = std::function<std::string(std::string_view text)>;

// GBK bytes compared as unsigned values. GB2312's level-1 hanzi (lead bytes B0..D7) are laid out in pinyin
// order, so for common characters this is close to pinyin order: 阿 (B0A2) < 北 (B1B1) < 中 (D6D0). ASCII sorts
// before every double-byte character (capitals before small letters), then the full-width symbols (A1..A9),
// then level-1 hanzi; GBK's extension characters with lead bytes 81..A0 fall before the level-1 hanzi and the
// level-2 hanzi (D8..F7, by radical) after them, so the order is rough for rare characters.
int CompareGbkBytes(std::string_view a, std::string_view b);

}  // namespace zandrel
