#include "table/exclude_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/csv_writer.h"
#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

TEST(ExcludeWordsTest, ParsesOneTrimmedWordALine) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"CR LF and LF", "a\r\nb\nc", {"a", "b", "c"}},
        {"empty lines and spaces dropped", "\r\n  \n\ta b\t\r\n\n", {"a b"}},
        {"full-width spaces trimmed", std::string(kWideSpace) + kDress + kWideSpace + "\r\n", {kDress}},
        {"duplicates dropped, first spelling kept", "Red\r\nred\r\nRED \r\nblue\r\nRed", {"Red", "blue"}},
        {"Chinese duplicates", std::string(kDress) + "\n" + kDress, {kDress}},
        // 乤 (81 61) and 丄 (81 41) differ only in the case of a trail byte: two words.
        {"trail bytes are no letters", "\x81\x61\n\x81\x41", {"\x81\x61", "\x81\x41"}},
        {"CR alone ends no line", "a\rb", {"a\rb"}},
        {"half a character is no word", "\xC1\r\nx", {"x"}},
        {"empty text", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ExcludeWords list = ExcludeWords::FromText(c.text);
        EXPECT_EQ(list.Words(), c.words);
        EXPECT_EQ(list.Empty(), c.words.empty());
    }
}

TEST(ExcludeWordsTest, WritesBackWhatItReads) {
    const ExcludeWords list = ExcludeWords::FromText(std::string("  red\n") + kDress + "\r\n\r\nred\nB C");
    const std::string text = list.ToText();
    EXPECT_EQ(text, std::string("red\r\n") + kDress + "\r\nB C\r\n");
    EXPECT_EQ(ExcludeWords::FromText(text).Words(), list.Words());
    EXPECT_EQ(ExcludeWords().ToText(), "");
}

TEST(ExcludeWordsTest, DeletesRowsHoldingAnyWord) {
    GridModel grid = MakeTable({
        {std::string(kDress) + " RED", "1"},
        {kBoysWear, "2"},  // holds 澳's bytes across two characters
        {kPhoneCase, "3"},
        {std::string(kNewStyle) + kEarphones, "4"},
        {"\xB0\x61", "5"},  // 癮: trail byte a
    });
    const std::string before = TableToCsv(grid);
    const ExcludeWords words = ExcludeWords::FromText(std::string("red\n") + kAo + "\n" + kEarphones + "\na\n");

    TableEdit edit = DeleteRowsWithExcludeWords(grid, words);

    EXPECT_EQ(ColumnCells(grid, kListingsColumn), (std::vector<std::string>{"2", "3", "5"}));
    EXPECT_EQ(edit.removedAt, (std::vector<int>{1, 4}));
    EXPECT_TRUE(edit.cellChanges.empty());
    ASSERT_TRUE(UndoTableEdit(grid, edit));
    EXPECT_EQ(TableToCsv(grid), before);

    EXPECT_TRUE(DeleteRowsWithExcludeWords(grid, ExcludeWords()).Empty());
    EXPECT_TRUE(DeleteRowsWithExcludeWords(grid, ExcludeWords::FromText("zzz")).Empty());
    EXPECT_EQ(TableToCsv(grid), before);
}

}  // namespace
}  // namespace zandrel
