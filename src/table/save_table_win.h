// Saving the results table as a CSV file, and the question asked when the window closes with unsaved changes.
#pragma once

#include <windows.h>

#include <string>

#include "base/prompter.h"

namespace zandrel {

class GridModel;

struct DocumentState {
    bool modified = false;     // the table changed since the last save
    std::string documentName;  // GBK file name (no folder) of the last saved file, at most 100 bytes
    std::string savePath;      // UTF-8 full path of the last saved file
};

// Writes bytes to path through a temporary file beside it that is renamed over the target, so a failure never
// damages an existing file. A read-only target is refused. Path is UTF-8.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Asks for a file name and writes the table. On success: the success box, modified cleared, the document name
// and the window title updated; returns true. Cancel or a failed write (which shows an error box naming the file)
// change nothing and return false.
bool SaveTable(HWND mainWindow, const GridModel& grid, Prompter& prompter, DocumentState& doc);

// May the main window close? Asks Yes/No/Cancel when there are unsaved changes. Yes saves first and closes only
// when the save succeeded, so unsaved results are never thrown away.
bool ConfirmClose(HWND mainWindow, const GridModel& grid, Prompter& prompter, DocumentState& doc);

}  // namespace zandrel
