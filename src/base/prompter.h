// The program's only dialogs: task-modal message boxes and the save-file dialog.
// Everything that asks the user goes through this interface so tests can answer with a script.
#pragma once

#include <string>
#include <string_view>

namespace zandrel {

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageIcon { None, Information, Question, Error };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct SaveDialogSetup {
    std::string filter;            // GBK, "|"-separated pairs as written by the program
    std::string defaultExtension;  // GBK, without the dot
    int filterIndex = 1;           // the file type selected when the dialog opens: 1 for the filter's first pair
};

class Prompter {
  public:
    virtual ~Prompter() = default;
    // Texts are GBK.
    virtual MessageAnswer ShowMessage(std::string_view text,
                                      std::string_view title,
                                      MessageButtons buttons,
                                      MessageIcon icon) = 0;
    // Shows the save-file dialog; false when the user cancelled.
    // The chosen path as UTF-8, so a folder or file name with characters GBK lacks is kept whole.
    virtual bool AskSavePath(const SaveDialogSetup& setup, std::string& path) = 0;
    // The save-file dialog that also tells which file type of the filter was selected when it closed (`fileType`,
    // 1-based like filterIndex). A prompter that cannot tell reports the type the dialog opened with.
    virtual bool AskSavePathAndType(const SaveDialogSetup& setup, std::string& path, int& fileType) {
        fileType = setup.filterIndex;
        return AskSavePath(setup, path);
    }
};

}  // namespace zandrel
