#include "app/export_rows_win.h"

#include <string>

#include "base/encoding.h"
#include "export/csv_export.h"
#include "export/export_rows.h"
#include "export/txt_export.h"
#include "export/xlsx_export.h"
#include "table/grid_model.h"
#include "table/save_table_win.h"

namespace zandrel {
namespace {

// The dialog's file types, in the order of ExportFormat:
// Excel 工作簿 (*.xlsx)|*.xlsx|CSV 文件 (*.csv)|*.csv|文本文件，每行一个关键词 (*.txt)|*.txt
constexpr char kExportFilter[] =
    "Excel \xb9\xa4\xd7\xf7\xb2\xbe (*.xlsx)|*.xlsx|"
    "CSV \xce\xc4\xbc\xfe (*.csv)|*.csv|"
    "\xce\xc4\xb1\xbe\xce\xc4\xbc\xfe\xa3\xac\xc3\xbf\xd0\xd0\xd2\xbb\xb8\xf6\xb9\xd8\xbc\xfc\xb4\xca (*.txt)|*.txt";
constexpr char kExportDone[] = "\xb5\xbc\xb3\xf6\xcd\xea\xb3\xc9\xa3\xba";  // 导出完成：
constexpr char kRowsSuffix[] = " \xd0\xd0";                                 //  行
constexpr char kInfoTitle[] = "\xd0\xc5\xcf\xa2";                           // 信息
constexpr char kErrorTitle[] = "\xb4\xed\xce\xf3";                          // 错误
// 导出失败：Excel 工作表最多 1048576 行，请改选 CSV 或文本文件。
constexpr char kTooManyForExcel[] =
    "\xb5\xbc\xb3\xf6\xca\xa7\xb0\xdc\xa3\xba"
    "Excel \xb9\xa4\xd7\xf7\xb1\xed\xd7\xee\xb6\xe0 1048576 \xd0\xd0\xa3\xac\xc7\xeb\xb8\xc4\xd1\xa1 CSV "
    "\xbb\xf2\xce\xc4\xb1\xbe\xce\xc4\xbc\xfe\xa1\xa3";

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    if (text.size() < end.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - end.size());
    for (size_t i = 0; i < end.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != end[i]) {
            return false;
        }
    }
    return true;
}

// The wait cursor over the owner while a large file is written; the cursor before it comes back after.
class WaitCursor {
  public:
    explicit WaitCursor(HWND owner)
        : previous_(owner != nullptr ? SetCursor(LoadCursorW(nullptr, IDC_WAIT)) : nullptr), shown_(owner != nullptr) {}
    ~WaitCursor() {
        if (shown_) {
            SetCursor(previous_);
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
    bool shown_;
};

DosTimestamp LocalTimestamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    DosTimestamp time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

std::string ExportBytes(ExportFormat format, const GridModel& grid, const std::vector<int>& rows) {
    switch (format) {
        case ExportFormat::Csv: return RowsToCsv(grid, rows);
        case ExportFormat::Txt: return RowsToTxt(grid, rows);
        case ExportFormat::Xlsx: break;
    }
    return RowsToXlsx(grid, rows, LocalTimestamp());
}

}  // namespace

ExportFormat ExportFormatFor(std::string_view path, int fileType) {
    if (EndsWithNoCase(path, ".xlsx")) {
        return ExportFormat::Xlsx;
    }
    if (EndsWithNoCase(path, ".csv")) {
        return ExportFormat::Csv;
    }
    if (EndsWithNoCase(path, ".txt")) {
        return ExportFormat::Txt;
    }
    switch (fileType) {
        case 2: return ExportFormat::Csv;
        case 3: return ExportFormat::Txt;
        default: return ExportFormat::Xlsx;
    }
}

bool ExportRows(HWND owner, const GridModel& grid, const std::vector<int>& rows, Prompter& prompter) {
    std::string path;
    int fileType = 1;
    if (!prompter.AskSavePathAndType(SaveDialogSetup{kExportFilter, "xlsx", 1}, path, fileType)) {
        return false;
    }
    const ExportFormat format = ExportFormatFor(path, fileType);
    std::string bytes;
    std::string keptAt;
    bool written = false;
    {
        const WaitCursor wait(owner);
        bytes = ExportBytes(format, grid, rows);
        // Only a workbook can come out empty: one with more rows than a sheet holds.
        written = !bytes.empty() && WriteFileReplacing(path, bytes, &keptAt);
    }
    if (bytes.empty()) {
        prompter.ShowMessage(kTooManyForExcel, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (!written) {
        // Shown through the GBK texts: a character GBK lacks is shown as '?', the file itself keeps its name.
        prompter.ShowMessage(SaveFailedText(WideToGbk(Utf8ToWide(path)), WideToGbk(Utf8ToWide(keptAt))), kErrorTitle,
                             MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    int count = 0;
    for (int row : rows) {
        count += IsExportedRow(grid, row) ? 1 : 0;
    }
    prompter.ShowMessage(kExportDone + std::to_string(count) + kRowsSuffix, kInfoTitle, MessageButtons::Ok,
                         MessageIcon::Information);
    return true;
}

}  // namespace zandrel
