// Code-page conversions at the Windows boundary: always code page 936 for GBK, never CP_ACP.
#include "base/encoding.h"

#include <windows.h>

namespace zandrel {
namespace {

constexpr UINT kGbk = 936;

std::wstring ToWide(UINT codePage, std::string_view in) {
    std::wstring out;
    if (in.empty()) {
        return out;
    }
    int n = MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (n <= 0) {
        return out;
    }
    out.resize(static_cast<size_t>(n));
    MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n);
    return out;
}

std::string FromWide(UINT codePage, std::wstring_view in) {
    std::string out;
    if (in.empty()) {
        return out;
    }
    int n = WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return out;
    }
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
    return ToWide(kGbk, gbk);
}

std::string WideToGbk(std::wstring_view wide) {
    return FromWide(kGbk, wide);
}

std::wstring Utf8ToWide(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

std::string WideToUtf8(std::wstring_view wide) {
    return FromWide(CP_UTF8, wide);
}

std::string Utf8ToGbk(std::string_view utf8) {
    return FromWide(kGbk, ToWide(CP_UTF8, utf8));
}

std::string GbkToUtf8(std::string_view gbk) {
    return FromWide(CP_UTF8, ToWide(kGbk, gbk));
}

}  // namespace zandrel
