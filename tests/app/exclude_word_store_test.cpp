// The exclude words kept in a UTF-8 file between sessions, here in a temporary folder instead of %APPDATA%.
#include "app/exclude_word_store_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/encoding.h"
#include "temp_folder.h"

namespace zandrel {
namespace {

using testing::ReadAll;
using testing::WriteAll;

std::vector<std::string> Gbk(const std::vector<std::string>& utf8) {
    std::vector<std::string> words;
    for (const std::string& word : utf8) {
        words.push_back(Utf8ToGbk(word));
    }
    return words;
}

class ExcludeWordStoreTest : public testing::TempFolderTest {
  protected:
    // The store's own folder does not exist yet: the first save makes it.
    ExcludeWordStore store{Utf8Path(L"Zandrel")};
    std::wstring File() const { return Path(L"Zandrel\\exclude-words.txt"); }
};

TEST_F(ExcludeWordStoreTest, ChineseWordsGoOutAsUtf8AndComeBackTheSame) {
    const ExcludeWords words =
        ExcludeWords::FromText(Utf8ToGbk("二手\r\n批发\r\nold\r\n乗\r\n"));  // 乗: trail byte '\'
    ASSERT_TRUE(store.Save(words));
    EXPECT_EQ(ReadAll(File()), "二手\r\n批发\r\nold\r\n乗\r\n");

    ExcludeWords loaded = ExcludeWords::FromText("stale\r\n");
    int leftOut = -1;
    ASSERT_TRUE(store.Load(loaded, &leftOut));
    EXPECT_EQ(loaded.Words(), words.Words());
    EXPECT_EQ(leftOut, 0);
    EXPECT_TRUE(loaded.AnyIn(Utf8ToGbk("二手连衣裙")));

    // A second save replaces the list; an empty list leaves an empty file.
    ASSERT_TRUE(store.Save(ExcludeWords()));
    EXPECT_EQ(ReadAll(File()), "");
    ASSERT_TRUE(store.Load(loaded));
    EXPECT_TRUE(loaded.Empty());
}

TEST_F(ExcludeWordStoreTest, AMissingFileOrFolderIsAnEmptyList) {
    ExcludeWords loaded = ExcludeWords::FromText("stale\r\n");
    EXPECT_TRUE(store.Load(loaded));
    EXPECT_TRUE(loaded.Empty());
    EXPECT_EQ(ReadAll(File()), "<missing>");  // loading made nothing

    ExcludeWordStore nowhere("");
    loaded = ExcludeWords::FromText("stale\r\n");
    EXPECT_TRUE(nowhere.Load(loaded));
    EXPECT_TRUE(loaded.Empty());
    EXPECT_FALSE(nowhere.Save(loaded));
}

// Files written by hand: a byte order mark, LF line ends, no end on the last line, blank lines, spaces and
// repeats; a word GBK cannot hold is left out and counted.
TEST_F(ExcludeWordStoreTest, HandWrittenFilesAreReadAsTheSellerMeantThem) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> words;  // UTF-8
        int leftOut;
    } cases[] = {
        {"a byte order mark and LF", "\xEF\xBB\xBF二手\n批发\n", {"二手", "批发"}, 0},
        {"no line end at the end", "二手\r\n批发", {"二手", "批发"}, 0},
        {"blank lines, spaces and repeats",
         "\r\n  二手 \r\n\r\n\t\r\n批发\n二手\nOLD\nold\n　\n",
         {"二手", "批发", "OLD"},
         0},
        {"a character GBK lacks", "二手\n\xF0\x9F\x91\x97 dress\n批发\n", {"二手", "批发"}, 1},
        {"broken UTF-8", "\xC1\xAC\xD2\xC2\n批发\n", {"批发"}, 1},
        {"an empty file", "", {}, 0},
        {"only a byte order mark", "\xEF\xBB\xBF", {}, 0},
    };
    ASSERT_TRUE(CreateDirectoryW(Path(L"Zandrel").c_str(), nullptr));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteAll(File(), c.bytes));
        ExcludeWords loaded;
        int leftOut = -1;
        ASSERT_TRUE(store.Load(loaded, &leftOut));
        EXPECT_EQ(loaded.Words(), Gbk(c.words));
        EXPECT_EQ(leftOut, c.leftOut);
    }
}

TEST_F(ExcludeWordStoreTest, TheDefaultFolderIsTheProgramsFolderInRoamingAppData) {
    const std::string folder = ExcludeWordStore::DefaultFolder();
    ASSERT_FALSE(folder.empty());
    const std::string tail = "\\Zandrel";
    ASSERT_GT(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    wchar_t appData[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(Utf8ToWide(folder), std::wstring(appData, length) + L"\\Zandrel");
    EXPECT_EQ(ExcludeWordStore(folder).FilePath(), folder + "\\exclude-words.txt");
}

}  // namespace
}  // namespace zandrel
