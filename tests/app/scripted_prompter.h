// A Prompter that answers from a script and records every question, for window tests.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/prompter.h"

namespace zandrel::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageButtons buttons;
    MessageIcon icon;
};

class ScriptedPrompter : public Prompter {
  public:
    // Answers for YesNoCancel boxes, in order; OK boxes are answered Ok without using the script.
    std::deque<MessageAnswer> answers;
    // Paths returned by the save dialog, in order; an empty string means "Cancel".
    std::deque<std::string> savePaths;  // UTF-8, as the real dialog gives them
    // The file type (1-based) selected when each save dialog closes, in order; without one, the type it opened
    // with.
    std::deque<int> fileTypes;

    std::vector<ShownMessage> messages;
    std::vector<SaveDialogSetup> dialogs;

    MessageAnswer ShowMessage(std::string_view text,
                              std::string_view title,
                              MessageButtons buttons,
                              MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), buttons, icon});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            return MessageAnswer::Cancel;
        }
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    bool AskSavePath(const SaveDialogSetup& setup, std::string& path) override {
        int fileType = 0;
        return AskSavePathAndType(setup, path, fileType);
    }

    bool AskSavePathAndType(const SaveDialogSetup& setup, std::string& path, int& fileType) override {
        dialogs.push_back(setup);
        fileType = setup.filterIndex;
        if (!fileTypes.empty()) {
            fileType = fileTypes.front();
            fileTypes.pop_front();
        }
        if (savePaths.empty()) {
            return false;
        }
        path = savePaths.front();
        savePaths.pop_front();
        return !path.empty();
    }
};

}  // namespace zandrel::testing
