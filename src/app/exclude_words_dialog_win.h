// The exclude words (否定词) the seller keeps: a box to edit them, whether the rows holding them are hidden, whether
// a run leaves keywords holding them unexpanded, and a way to delete those rows. Behind an interface, so tests
// answer for the seller.
#pragma once

#include <windows.h>

#include <string>

namespace zandrel {

struct ExcludeWordsSettings {
    std::string words;  // GBK, one word a line
    bool hideRows = false;
    bool skipExpanding = false;
};

enum class ExcludeWordsAction { Cancel, Apply, DeleteRows };

class ExcludeWordsAsker {
  public:
    virtual ~ExcludeWordsAsker() = default;
    // Shows the settings to change; they are changed unless the answer is Cancel.
    virtual ExcludeWordsAction Ask(HWND owner, ExcludeWordsSettings& settings) = 0;
};

// A small window of its own, modal to its owner.
class WinExcludeWordsDialog : public ExcludeWordsAsker {
  public:
    ExcludeWordsAction Ask(HWND owner, ExcludeWordsSettings& settings) override;
};

}  // namespace zandrel
