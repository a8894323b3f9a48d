// The main window's workbench: merging repeats, the exclude words, the export, undo and redo, and the order a
// save writes the rows in.
#include "app/exclude_word_store_win.h"
#include "app/export_rows_win.h"
#include "app/main_window_win.h"
#include "base/encoding.h"
#include "query/gbk_texts.h"
#include "table/grid_window_win.h"
#include "table/undo_history.h"

namespace zandrel {
namespace {

constexpr char kExcludeWordsNotKept[] =
    "\xb7\xf1\xb6\xa8\xb4\xca\xce\xb4\xc4\xdc\xb1\xa3\xb4\xe6\xa3\xba";  // 否定词未能保存：

}  // namespace

void MainWindow::OnMergeButton() {
    grid_->CommitEdit();
    if (history_->MergeDuplicates()) {
        doc_.modified = true;
    }
    grid_->ModelChanged();
}
void MainWindow::OnExcludeWordsButton() {
    const ExcludeWordStore store(options_.excludeWordsFolder.empty() ? ExcludeWordStore::DefaultFolder()
                                                                     : options_.excludeWordsFolder);
    if (!excludeLoaded_) {
        ExcludeWords kept;
        store.Load(kept);
        exclude_.words = kept.ToText();
        excludeLoaded_ = true;
    }
    ExcludeWordsAsker& asker = options_.excludeAsker != nullptr ? *options_.excludeAsker : excludeDialog_;
    ExcludeWordsSettings settings = exclude_;
    const ExcludeWordsAction action = asker.Ask(hwnd_, settings);
    if (action == ExcludeWordsAction::Cancel) {
        return;
    }
    exclude_ = settings;
    excludeWords_ = ExcludeWords::FromText(exclude_.words);
    if (!store.Save(excludeWords_)) {
        options_.prompter->ShowMessage(std::string(kExcludeWordsNotKept) + WideToGbk(Utf8ToWide(store.FilePath())),
                                       gbk::kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
    }
    grid_->SetHiddenWords(exclude_.hideRows ? excludeWords_ : ExcludeWords());
    if (action == ExcludeWordsAction::DeleteRows) {
        grid_->CommitEdit();
        if (history_->DeleteExcludedRows(excludeWords_)) {
            doc_.modified = true;
        }
        grid_->ModelChanged();
    }
}
bool MainWindow::SkipExpanding(const std::string& keyword) const {
    return exclude_.skipExpanding && excludeWords_.AnyIn(keyword);
}
void MainWindow::OnExportButton() {
    grid_->CommitEdit();
    ExportRows(hwnd_, grid_->Model(), grid_->View().ShownRows(), *options_.prompter);
}
void MainWindow::UndoTableChange(bool redo) {
    if (run_.running) {
        return;
    }
    grid_->CommitEdit();
    if (redo ? history_->Redo() : history_->Undo()) {
        doc_.modified = true;
        grid_->ModelChanged();
    }
}
const std::vector<int>* MainWindow::SaveOrder() const {
    const RowView& view = grid_->View();
    return view.Sort().direction == SortDirection::kNone ? nullptr : &view.SortedRows();
}
}  // namespace zandrel
