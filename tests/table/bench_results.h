// A generated results table for the benchmarks: keywords as the suggestion services send them (brands, modifiers,
// products, suffixes; full-width letters and spaces now and then; many repeats), counts with a few empty or failed
// ones, a fixed seed so every run sees the same table.
#pragma once

#include <random>
#include <string>

#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

namespace zandrel::bench {

inline const char* const kModifiers[] = {
    "\xD0\xC2\xBF\xEE",  // 新款
    "\xBA\xAB\xB0\xE6",  // 韩版
    "\xCF\xC4\xBC\xBE",  // 夏季
    "\xB6\xAC\xBC\xBE",  // 冬季
    "\xBF\xED\xCB\xC9",  // 宽松
    "\xD0\xDE\xC9\xED",  // 修身
    "\xB3\xA4\xBF\xEE",  // 长款
    "\xB6\xCC\xBF\xEE",  // 短款
    "\xBC\xD3\xBA\xF1",  // 加厚
    "\xB4\xBF\xC3\xDE",  // 纯棉
    "\xD5\xE6\xCB\xBF",  // 真丝
    "\xB8\xB4\xB9\xC5",  // 复古
    "\xB0\xD9\xB4\xEE",  // 百搭
    "\xD1\xA7\xC9\xFA",  // 学生
    "\xB4\xF3\xC2\xEB",  // 大码
    "\xCF\xD4\xCA\xDD",  // 显瘦
    "\xB8\xDF\xD1\xFC",  // 高腰
    "\xCD\xF8\xBA\xEC",  // 网红
    "\xCD\xAC\xBF\xEE",  // 同款
    "\xD5\xFD\xC6\xB7",  // 正品
    "\xBC\xF2\xD4\xBC",  // 简约
    "\xCA\xB1\xC9\xD0",  // 时尚
    "\xB4\xBA\xC7\xEF",  // 春秋
    "\xC7\xE5\xB2\xD6",  // 清仓
    "\xB0\xFC\xD3\xCA",  // 包邮
};
inline const char* const kProducts[] = {
    "\xC1\xAC\xD2\xC2\xC8\xB9",          // 连衣裙
    "\xCA\xD6\xBB\xFA\xBF\xC7",          // 手机壳
    "\xB6\xFA\xBB\xFA",                  // 耳机
    "\xCD\xE2\xCC\xD7",                  // 外套
    "\xB6\xCC\xD0\xE4",                  // 短袖
    "\xBF\xE3\xD7\xD3",                  // 裤子
    "\xB3\xC4\xC9\xC0",                  // 衬衫
    "\xCE\xC0\xD2\xC2",                  // 卫衣
    "\xC3\xAB\xD2\xC2",                  // 毛衣
    "\xD3\xF0\xC8\xDE\xB7\xFE",          // 羽绒服
    "\xD4\xCB\xB6\xAF\xD0\xAC",          // 运动鞋
    "\xB7\xAB\xB2\xBC\xD0\xAC",          // 帆布鞋
    "\xCB\xAB\xBC\xE7\xB0\xFC",          // 双肩包
    "\xCA\xD6\xB1\xED",                  // 手表
    "\xCF\xEE\xC1\xB4",                  // 项链
    "\xBF\xDA\xBA\xEC",                  // 口红
    "\xC3\xE6\xC4\xA4",                  // 面膜
    "\xCA\xFD\xBE\xDD\xCF\xDF",          // 数据线
    "\xB3\xE4\xB5\xE7\xB1\xA6",          // 充电宝
    "\xC0\xB6\xD1\xC0\xD2\xF4\xCF\xE4",  // 蓝牙音箱
    "\xB1\xA3\xCE\xC2\xB1\xAD",          // 保温杯
    "\xCA\xD5\xC4\xC9\xBA\xD0",          // 收纳盒
    "\xB4\xB2\xB5\xA5",                  // 床单
    "\xCD\xCF\xD0\xAC",                  // 拖鞋
    "\xD3\xEA\xC9\xA1",                  // 雨伞
};
inline const char* const kSuffixes[] = {
    "\xC5\xAE",                  // 女
    "\xC4\xD0",                  // 男
    "\xB6\xF9\xCD\xAF",          // 儿童
    "\xCC\xD7\xD7\xB0",          // 套装
    "\xC5\xFA\xB7\xA2",          // 批发
    "\xC6\xEC\xBD\xA2\xB5\xEA",  // 旗舰店
    "\xC0\xF1\xBA\xD0",          // 礼盒
};
inline const char* const kBrands[] = {"iPhone", "IPHONE", "Nike", "vivo", "OPPO", "Adidas", "huawei", "ins"};
inline const char* const kFailed = "\xBB\xF1\xC8\xA1\xCA\xA7\xB0\xDC";  // 获取失败

template <typename T, size_t N>
inline const T& Pick(std::mt19937& random, const T (&items)[N]) {
    return items[random() % N];
}

// Brand, one or two modifiers, a product and a suffix, each but the product left out at times; now and then
// in full-width letters or with spaces, as the suggestion services send them. Many keywords come out twice.
inline std::string MakeKeyword(std::mt19937& random) {
    std::string keyword;
    if (random() % 5 == 0) {
        std::string brand = Pick(random, kBrands);
        if (random() % 4 == 0) {
            std::string wide;  // full-width: A3 followed by the letter + 0x80
            for (char c : brand) {
                wide += '\xA3';
                wide += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
            }
            brand = wide;
        }
        keyword += brand;
        keyword += random() % 2 ? " " : "";
    }
    keyword += Pick(random, kModifiers);
    if (random() % 2) {
        keyword += Pick(random, kModifiers);
    }
    keyword += Pick(random, kProducts);
    if (random() % 3) {
        keyword += random() % 6 == 0 ? " " : "";
        keyword += Pick(random, kSuffixes);
    }
    return keyword;
}

inline GridModel MakeResults(int rows) {
    std::mt19937 random(20240611);
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    std::string seed;
    for (int i = 1; i <= rows; ++i) {
        grid.AppendRow(std::to_string(i));
        const std::string keyword = MakeKeyword(random);
        grid.SetCell(i, kKeywordColumn, keyword);
        const unsigned roll = random() % 100;
        const std::string count = roll < 3   ? std::string()
                                  : roll < 4 ? std::string(kFailed)
                                             : std::to_string(random() % 5000000);
        grid.SetCell(i, kListingsColumn, count);
        if (i % 10 == 1) {
            seed = keyword;
            grid.SetCell(i, kSearchedColumn, seed);
        }
    }
    return grid;
}

}  // namespace zandrel::bench
