#include "query/gbk_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"

namespace zandrel {
namespace {

// The escaped GBK literals must be exactly the texts written beside them.
TEST(GbkTexts, MatchTheirReadableForms) {
    struct Case {
        const char* gbk;
        const char* utf8;
    };
    const std::vector<Case> cases = {
        {gbk::kFetchFailed, "获取失败"}, {gbk::kQueryDone, "查询完成"},
        {gbk::kInfoTitle, "信息："},     {gbk::kEnterKeyword, "请输入查询关键词"},
        {gbk::kHintTitle, "温馨提示"},   {gbk::kRelatedHeading, "你是不是想找"},
        {gbk::kAllItems, "所有宝贝"},    {gbk::kClientCreateFailed, "创建对象失败！"},
        {gbk::kErrorTitle, "错误"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(std::string(c.gbk), testing::G(c.utf8));
    }
}

}  // namespace
}  // namespace zandrel
