// The program's own texts, as GBK bytes (the readable text is in the comment beside each).
#pragma once

namespace zandrel::texts {

inline constexpr char kCaptionTitle[] =
    "\xcc\xd4\xb1\xa6\xb9\xd8\xbc\xfc\xb4\xca\xcd\xda\xbe\xf2\xb9\xa4\xbe\xdf";  // 淘宝关键词挖掘工具
inline constexpr char kKeywordPrompt[] =
    "\xca\xe4\xc8\xeb\xb2\xe9\xd1\xaf\xb9\xd8\xbc\xfc\xb4\xca:";  // 输入查询关键词:
inline constexpr char kQueryRunning[] =
    "\xd5\xfd\xd4\xda\xb2\xe9\xd1\xaf\xd6\xd0\xa1\xa3\xa1\xa3\xa1\xa3";  // 正在查询中。。。
// The progress line of a running query, in the caption band beside the title (not a control of the layout).
inline constexpr char kProgressLabel[] = "\xbd\xf8\xb6\xc8\xb1\xea\xc7\xa9";  // 进度标签
// Texts of a running query: the Stop button, the end of a stopped run, the failures of a run, the progress.
inline constexpr char kStopButton[] = "\xcd\xa3\xd6\xb9";  // 停止
inline constexpr char kStoppedPrefix[] =
    "\xb2\xe9\xd1\xaf\xd2\xd1\xcd\xa3\xd6\xb9\xa3\xac\xb9\xb2\xcc\xed\xbc\xd3\x20";  // 查询已停止，共添加
inline constexpr char kRowsSuffix[] = "\x20\xd0\xd0";                                //  行
inline constexpr char kFailuresPrefix[] = "\xa3\xa8";                                // （
inline constexpr char kFailuresSuffix[] = "\x20\xb8\xf6\xc7\xeb\xc7\xf3\xca\xa7\xb0\xdc\xa3\xa9";  //  个请求失败）
inline constexpr char kProgressKeyword[] = "\x20\x20\xc0\xa9\xd5\xb9\xa3\xba";                     // "  扩展："
inline constexpr char kProgressRequests[] = "\xc7\xeb\xc7\xf3\x20";                                // "请求 "
inline constexpr char kProgressRows[] = "\x20\x20\xd0\xc2\xd4\xf6\x20";                            //   新增
inline constexpr char kProgressFailures[] = "\x20\xd0\xd0\x20\x20\xca\xa7\xb0\xdc\x20";            //  行  失败
inline constexpr char kProgressElapsed[] = "\x20\x20\xd3\xc3\xca\xb1\x20";                         //   用时
inline constexpr char kProgressSeconds[] = "\x20\xc3\xeb";                                         //  秒
// Why the program holds up the end of the Windows session while it asks about unsaved rows.
inline constexpr char kUnsavedAtSessionEnd[] =
    "\xd3\xd0\xce\xb4\xb1\xa3\xb4\xe6\xb5\xc4\xb2\xe9\xd1\xaf\xbd\xe1\xb9\xfb";  // 有未保存的查询结果
inline constexpr char kSuggestButton[] =
    "\xcc\xd4\xb1\xa6\xcf\xc2\xc0\xad\xbf\xf2\xd7\xdb\xba\xcf\xb2\xe9\xd1\xaf";  // 淘宝下拉框综合查询
inline constexpr char kRelatedButton[] = "\xc4\xe3\xca\xc7\xb2\xbb\xca\xc7\xcf\xeb\xd5\xd2";  // 你是不是想找
inline constexpr char kDeleteButton[] = "\xc9\xbe\xb3\xfd\xd0\xd0";                           // 删除行
inline constexpr char kClearButton[] = "\xc7\xe5\xb3\xfe\xca\xfd\xbe\xdd";                    // 清楚数据

// Control names of the main window's layout.
inline constexpr char kFrame1[] =
    "\xcd\xe2\xd0\xce\xbf\xf2"
    "1";  // 外形框1
inline constexpr char kLabel1[] =
    "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9"
    "1";  // 透明标签1
inline constexpr char kLabel2[] =
    "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9"
    "2";  // 透明标签2
inline constexpr char kLabel3[] =
    "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9"
    "3";  // 透明标签3
inline constexpr char kEdit2[] =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "2";  // 编辑框2
inline constexpr char kCombo1[] =
    "\xd7\xe9\xba\xcf\xbf\xf2"
    "1";  // 组合框1
inline constexpr char kPicture3[] =
    "\xcd\xbc\xc6\xac\xbf\xf2"
    "3";  // 图片框3
inline constexpr char kPicture4[] =
    "\xcd\xbc\xc6\xac\xbf\xf2"
    "4";  // 图片框4
inline constexpr char kButton1[] =
    "\xb0\xb4\xc5\xa5"
    "1";  // 按钮1
inline constexpr char kButton2[] =
    "\xb0\xb4\xc5\xa5"
    "2";  // 按钮2
inline constexpr char kButton3[] =
    "\xb0\xb4\xc5\xa5"
    "3";                                                                  // 按钮3
inline constexpr char kClearData[] = "\xc7\xe5\xb3\xfd\xca\xfd\xbe\xdd";  // 清除数据
inline constexpr char kGrid1[] =
    "\xb8\xdf\xbc\xb6\xb1\xed\xb8\xf1"
    "1";  // 高级表格1

inline constexpr char kFontName[] = "\xcb\xce\xcc\xe5";  // 宋体

}  // namespace zandrel::texts
