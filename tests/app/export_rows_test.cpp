// The export of chosen rows: the save dialog's three file types, the format each name ends up in, and what the
// seller is told.
#include "app/export_rows_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/encoding.h"
#include "export/csv_export.h"
#include "export/txt_export.h"
#include "scripted_prompter.h"
#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"
#include "temp_folder.h"
#include "xlsx_reading.h"

namespace zandrel {
namespace {

using testing::FilesIn;
using testing::ReadAll;
using testing::ScriptedPrompter;

GridModel MakeResults() {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    const std::vector<std::vector<std::string>> rows = {
        {"1", Utf8ToGbk("连衣裙 夏"), "1200", "seed"},
        {"2", "dress, long", "35", ""},
        {"3", "skirt", "7", ""},
    };
    for (const auto& cells : rows) {
        grid.AppendRow(cells[0]);
        for (size_t column = 1; column < cells.size(); ++column) {
            grid.SetCell(grid.RowCount() - 1, static_cast<int>(column), cells[column]);
        }
    }
    return grid;
}

class ExportRowsTest : public testing::TempFolderTest {
  protected:
    GridModel grid = MakeResults();
    // Row 3 first, then row 1; 0 (the header) and 9 are no data rows and are passed over.
    const std::vector<int> rows = {3, 0, 1, 9};
    ScriptedPrompter prompter;

    bool Export(const std::wstring& name, int fileType) {
        prompter.savePaths.push_back(Utf8Path(name));
        prompter.fileTypes.push_back(fileType);
        return ExportRows(nullptr, grid, rows, prompter);
    }
};

TEST(ExportFormat, ATypedKnownExtensionWinsOverTheSelectedType) {
    const struct {
        const char* path;
        int fileType;
        ExportFormat expected;
    } cases[] = {
        {"C:\\out\\rows", 1, ExportFormat::Xlsx},
        {"C:\\out\\rows", 2, ExportFormat::Csv},
        {"C:\\out\\rows", 3, ExportFormat::Txt},
        {"C:\\out\\rows", 0, ExportFormat::Xlsx},  // no type the filter has: the first
        {"C:\\out\\rows", 7, ExportFormat::Xlsx},
        {"C:\\out\\rows.CSV", 1, ExportFormat::Csv},
        {"C:\\out\\rows.Txt", 2, ExportFormat::Txt},
        {"C:\\out\\rows.xLsX", 3, ExportFormat::Xlsx},
        {"C:\\out\\rows.csv.bak", 3, ExportFormat::Txt},  // only the last extension counts
        {"C:\\out.csv\\rows", 3, ExportFormat::Txt},      // a folder's name is no extension
        {"C:\\out\\rows.xls", 2, ExportFormat::Csv},      // the old workbook is not ours
        {"C:\\out\\rowscsv", 1, ExportFormat::Xlsx},      // an extension needs its dot
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExportFormatFor(c.path, c.fileType), c.expected);
    }
}

TEST_F(ExportRowsTest, TheDialogOffersTheThreeTypesWithTheWorkbookFirst) {
    prompter.savePaths.push_back("");
    EXPECT_FALSE(ExportRows(nullptr, grid, rows, prompter));
    ASSERT_EQ(prompter.dialogs.size(), 1u);
    const SaveDialogSetup& setup = prompter.dialogs[0];
    EXPECT_EQ(setup.filter, Utf8ToGbk("Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv|"
                                      "文本文件，每行一个关键词 (*.txt)|*.txt"));
    EXPECT_EQ(setup.defaultExtension, "xlsx");
    EXPECT_EQ(setup.filterIndex, 1);
}

TEST_F(ExportRowsTest, EachTypeIsWrittenInItsFormatAndTheRowsAreCounted) {
    const std::string header = Utf8ToGbk("序号,关键词,宝贝数,搜索关键词\r\n");
    const std::string csv = header + "3,skirt,7,\r\n1," + Utf8ToGbk("连衣裙 夏") + ",1200,seed\r\n";
    const std::string txt = "skirt\r\n" + Utf8ToGbk("连衣裙 夏") + "\r\n";
    ASSERT_EQ(RowsToCsv(grid, rows), csv);
    ASSERT_EQ(RowsToTxt(grid, rows), txt);

    ASSERT_TRUE(Export(L"rows.csv", 1));  // the typed extension wins over the workbook type
    EXPECT_EQ(ReadAll(Path(L"rows.csv")), csv);
    ASSERT_TRUE(Export(L"list", 3));
    EXPECT_EQ(ReadAll(Path(L"list")), txt);
    ASSERT_TRUE(Export(L"table", 2));
    EXPECT_EQ(ReadAll(Path(L"table")), csv);
    ASSERT_TRUE(Export(L"\x590f\x88c5.XLSX", 3));  // 夏装.XLSX

    const std::string workbook = ReadAll(Path(L"\x590f\x88c5.XLSX"));
    ASSERT_EQ(workbook.substr(0, 2), "PK");
    const ReadWorkbook book = ReadXlsx(workbook);
    ASSERT_TRUE(book.zip.ok) << book.zip.error;
    ASSERT_NE(FindEntry(book.zip, "xl/worksheets/sheet1.xml"), nullptr);
    // The header, then the rows in the order given, as UTF-8; the counts are numbers.
    auto text = [&book](const char* ref) {
        const auto cell = book.cells.find(ref);
        if (cell == book.cells.end() || cell->second.number) {
            return std::string("<no text>");
        }
        return cell->second.value;
    };
    EXPECT_EQ(book.rowNumbers, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(text("B1"), "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D");  // 关键词
    EXPECT_EQ(text("B2"), "skirt");
    EXPECT_EQ(text("B3"), "\xE8\xBF\x9E\xE8\xA1\xA3\xE8\xA3\x99 \xE5\xA4\x8F");  // 连衣裙 夏
    EXPECT_EQ(book.cells.at("C3"), (ReadCell{true, false, "1200"}));

    // Every export was told as done with the two data rows it wrote, and nothing else was left in the folder.
    ASSERT_EQ(prompter.messages.size(), 4u);
    for (const auto& message : prompter.messages) {
        EXPECT_EQ(message.text, Utf8ToGbk("导出完成：2 行"));
        EXPECT_EQ(message.title, Utf8ToGbk("信息"));
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        EXPECT_EQ(message.icon, MessageIcon::Information);
    }
    EXPECT_EQ(FilesIn(root_).size(), 4u);
}

TEST_F(ExportRowsTest, CancelWritesNothingAndSaysNothing) {
    prompter.savePaths.push_back("");
    prompter.fileTypes.push_back(2);
    EXPECT_FALSE(ExportRows(nullptr, grid, rows, prompter));
    EXPECT_EQ(prompter.dialogs.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(FilesIn(root_).empty());
}

TEST_F(ExportRowsTest, AFileThatCannotBeWrittenIsNamedInAnErrorBox) {
    ASSERT_TRUE(testing::WriteAll(Path(L"locked.csv"), "old\r\n"));
    ASSERT_TRUE(SetFileAttributesW(Path(L"locked.csv").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring names[] = {L"missing\\rows.csv", L"locked.csv"};
    for (const std::wstring& name : names) {
        SCOPED_TRACE(WideToUtf8(name));
        prompter.messages.clear();
        EXPECT_FALSE(Export(name, 2));
        ASSERT_EQ(prompter.messages.size(), 1u);
        const auto& box = prompter.messages[0];
        EXPECT_NE(box.text.find(WideToGbk(Path(name))), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(Utf8ToGbk("原有文件未被改动")), std::string::npos);
        EXPECT_EQ(box.title, Utf8ToGbk("错误"));
        EXPECT_EQ(box.icon, MessageIcon::Error);
    }
    EXPECT_EQ(ReadAll(Path(L"locked.csv")), "old\r\n");
    EXPECT_EQ(FilesIn(root_), std::vector<std::wstring>{L"locked.csv"});
}

}  // namespace
}  // namespace zandrel
