// Text inside the workbook's XML parts: always well-formed, and read back by Excel as the text given.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zandrel {

// Excel holds at most this many UTF-16 units in a cell.
inline constexpr size_t kMaxCellUnits = 32767;
// ... and in a sheet name.
inline constexpr size_t kMaxSheetNameUnits = 31;

// Appends `utf8` as element text or as a double-quoted attribute value:
// - a malformed UTF-8 sequence becomes U+FFFD, one for each byte that cannot start or continue a character;
// - characters XML 1.0 cannot hold (C0 controls other than tab, LF and CR; U+FFFE, U+FFFF) are left out;
// - & < > " become entity references and CR becomes &#13;, which a parser would otherwise turn into LF;
// - the underscore of an "_xHHHH_" in the text is written "_x005F_", since Excel decodes such a sequence
//   into the character HHHH;
// - text beyond kMaxCellUnits UTF-16 units is cut off on a character boundary.
void AppendXmlText(std::string& out, std::string_view utf8);

// A sheet name Excel accepts, from `utf8` (not escaped): malformed UTF-8 and controls handled as above (every
// control left out), [ ] : * ? / \ replaced by '_', apostrophes trimmed from both ends, cut to
// kMaxSheetNameUnits UTF-16 units; "Sheet1" when nothing is left.
std::string SheetNameFrom(std::string_view utf8);

}  // namespace zandrel
