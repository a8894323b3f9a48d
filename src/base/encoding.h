// Text inside the program is GBK (code page 936) bytes held in std::string.
// These are the only conversions; they are explicit so the program behaves the same
// whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace zandrel {

// True for a byte that starts a double-byte GBK character.
constexpr bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// UTF-8 -> GBK. Characters without a GBK form become '?'; invalid input is converted as far as possible.
std::string Utf8ToGbk(std::string_view utf8);
// GBK -> UTF-8 (used by tests and tools; the program itself only needs the direction above).
std::string GbkToUtf8(std::string_view gbk);

// Cuts text to at most maxBytes without splitting a double-byte character.
std::string CutGbk(std::string_view text, size_t maxBytes);

#ifdef _WIN32
std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);
// File paths keep every character the file system allows: they travel as UTF-8, never through GBK.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
#endif

}  // namespace zandrel
