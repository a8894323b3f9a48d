// The program's own fixed texts as GBK bytes. The sources are UTF-8, so every text is written as
// escapes with the readable form beside it.
#pragma once

namespace zandrel::gbk {

inline constexpr char kFetchFailed[] = "\xbb\xf1\xc8\xa1\xca\xa7\xb0\xdc";  // 获取失败
inline constexpr char kQueryDone[] = "\xb2\xe9\xd1\xaf\xcd\xea\xb3\xc9";    // 查询完成
inline constexpr char kInfoTitle[] = "\xd0\xc5\xcf\xa2\xa3\xba";            // 信息：
// 请输入查询关键词
inline constexpr char kEnterKeyword[] = "\xc7\xeb\xca\xe4\xc8\xeb\xb2\xe9\xd1\xaf\xb9\xd8\xbc\xfc\xb4\xca";
inline constexpr char kHintTitle[] = "\xce\xc2\xdc\xb0\xcc\xe1\xca\xbe";                       // 温馨提示
inline constexpr char kRelatedHeading[] = "\xc4\xe3\xca\xc7\xb2\xbb\xca\xc7\xcf\xeb\xd5\xd2";  // 你是不是想找
inline constexpr char kAllItems[] = "\xcb\xf9\xd3\xd0\xb1\xa6\xb1\xb4";                        // 所有宝贝
// 创建对象失败！
inline constexpr char kClientCreateFailed[] = "\xb4\xb4\xbd\xa8\xb6\xd4\xcf\xf3\xca\xa7\xb0\xdc\xa3\xa1";
inline constexpr char kErrorTitle[] = "\xb4\xed\xce\xf3";  // 错误

}  // namespace zandrel::gbk
