#include "table/text_collation.h"

namespace zandrel {

int CompareGbkBytes(std::string_view a, std::string_view b) {
    // std::char_traits<char>::compare compares as unsigned char (memcmp).
    return a.compare(b);
}

}  // namespace zandrel
