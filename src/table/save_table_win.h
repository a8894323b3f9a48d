// Saving the results table as a CSV file, and the question asked when the window closes with unsaved changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/prompter.h"

namespace zandrel {

class GridModel;

struct DocumentState {
    bool modified = false;     // the table changed since the last save
    std::string documentName;  // GBK file name (no folder) of the last saved file, at most 100 bytes
    std::string savePath;      // UTF-8 full path of the last saved file
};

// Puts a written temporary file in the target's place (UTF-16 paths). `attributes` are the target's as read
// before writing (INVALID_FILE_ATTRIBUTES: no target yet). False when the target keeps its old content, or when
// the system took the target away and could not move the new file in: then `keepTemp` is set, since the
// temporary file is the only copy of what was written.
using FilePlacer = bool (*)(const std::wstring& temp, const std::wstring& target, DWORD attributes, bool& keepTemp);
bool PutInPlace(const std::wstring& temp, const std::wstring& target, DWORD attributes, bool& keepTemp);

// Writes bytes to path through a temporary file beside it that is renamed over the target, so a failure never
// damages an existing file. A read-only target is refused. Paths are UTF-8. When the write failed after the
// target was gone, the written bytes stay in the temporary file and `keptAt` (when given) receives its path;
// otherwise it is emptied.
bool WriteFileReplacing(const std::string& path,
                        const std::string& bytes,
                        std::string* keptAt = nullptr,
                        FilePlacer place = PutInPlace);

// The error box's text for a failed save of shownPath (GBK); keptAt (GBK, or empty) names the temporary file
// that holds the rows when the original file is gone.
std::string SaveFailedText(const std::string& shownPath, const std::string& keptAt);

// Asks for a file name and writes the table. On success: the success box, modified cleared, the document name
// and the window title updated; returns true. Cancel or a failed write (which shows an error box naming the file)
// change nothing and return false.
// `order`, when given, lists every data row (model row numbers) in the order the rows are written.
bool SaveTable(HWND mainWindow,
               const GridModel& grid,
               Prompter& prompter,
               DocumentState& doc,
               const std::vector<int>* order = nullptr);

// May the main window close? Asks Yes/No/Cancel when there are unsaved changes. Yes saves first and closes only
// when the save succeeded, so unsaved results are never thrown away.
bool ConfirmClose(HWND mainWindow,
                  const GridModel& grid,
                  Prompter& prompter,
                  DocumentState& doc,
                  const std::vector<int>* order = nullptr);

}  // namespace zandrel
