// The real dialogs: message boxes and the standard save-file dialog, owned by the program's window once it is
// given (modal to it, and the keyboard back where it was when they close).
#pragma once

#include <windows.h>

#include "base/prompter.h"

namespace zandrel {

class WinPrompter : public Prompter {
  public:
    explicit WinPrompter(HWND dialogOwner = nullptr) : owner_(dialogOwner) {}
    void SetDialogOwner(HWND owner) { owner_ = owner; }

    MessageAnswer ShowMessage(std::string_view text,
                              std::string_view title,
                              MessageButtons buttons,
                              MessageIcon icon) override;
    bool AskSavePath(const SaveDialogSetup& setup, std::string& path) override;
    bool AskSavePathAndType(const SaveDialogSetup& setup, std::string& path, int& fileType) override;

  private:
    HWND owner_;  // owner of the message boxes and the save dialog; task-modal boxes while there is none
};

// Answers nothing and shows nothing: for background work that must fail silently.
class SilentPrompter : public Prompter {
  public:
    MessageAnswer ShowMessage(std::string_view, std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Cancel;
    }
    bool AskSavePath(const SaveDialogSetup&, std::string&) override { return false; }
};

}  // namespace zandrel
