#include "query/url_encode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"

namespace zandrel {
namespace {

using testing::G;

TEST(UrlEncodeUtf8, EscapesPunctuationAndChineseOnly) {
    struct Case {
        std::string gbk;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"abc XYZ 019", "abc XYZ 019"},  // the space is sent as it is
        {"a&b=c", "a%26b%3Dc"},
        {"!\"#$%&'()*+,-./", "%21%22%23%24%25%26%27%28%29%2A%2B%2C%2D%2E%2F"},
        {":;<=>?@[\\]^_`{|}~", "%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%5F%60%7B%7C%7D%7E"},
        {"\r\n\t", "%0D%0A%09"},
        {"\x01\x7f", "\x01\x7f"},  // other control bytes are not escaped
        {G("连"), "%E8%BF%9E"},    // one character: its three UTF-8 bytes
        {G("连衣裙 夏"), "%E8%BF%9E%E8%A1%A3%E8%A3%99 %E5%A4%8F"},
        {"a" + G("夏") + "1", "a%E5%A4%8F1"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(UrlEncodeUtf8(c.gbk), c.expected);
    }
}

TEST(UrlEncodeGbk, KeepsOnlyLettersAndDigits) {
    struct Case {
        std::string gbk;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"abcXYZ019", "abcXYZ019"},
        {"a b", "a%20b"},
        {"-_.~", "%2D%5F%2E%7E"},
        {G("连"), "%C1%AC"},
        {G("连衣裙 夏"), "%C1%AC%D2%C2%C8%B9%20%CF%C4"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(UrlEncodeGbk(c.gbk), c.expected);
    }
}

}  // namespace
}  // namespace zandrel
