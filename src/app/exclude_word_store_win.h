// Where the seller's exclude words are kept between sessions: a UTF-8 text file, one word a line, in the
// program's folder under the roaming application data (%APPDATA%\Zandrel\exclude-words.txt).
#pragma once

#include <string>
#include <utility>

#include "table/exclude_words.h"

namespace zandrel {

class ExcludeWordStore {
  public:
    // `folder` (UTF-8) holds the list; it is created on the first save when missing (its parent must exist).
    explicit ExcludeWordStore(std::string folder) : folder_(std::move(folder)) {}

    // %APPDATA%\Zandrel (UTF-8); empty when the system names no such folder.
    static std::string DefaultFolder();

    const std::string& Folder() const { return folder_; }
    std::string FilePath() const;  // UTF-8

    // Reads the list: a UTF-8 file with or without a byte order mark, lines ended by CR LF or LF; blank lines and
    // repeated words are dropped as ExcludeWords::FromText drops them. A missing file is an empty list. A line
    // holding a character GBK lacks cannot be one of the program's words: it is left out (and counted in
    // `leftOut` when given) rather than matched as '?', and so it is gone from the file after the next save.
    // False, with an empty list, when the file exists but cannot be read.
    bool Load(ExcludeWords& words, int* leftOut = nullptr) const;

    // Writes the list as UTF-8 without a byte order mark, each word ended by CR LF, replacing the file safely and
    // creating the folder first. False when it could not be written; the old file then stays as it was.
    bool Save(const ExcludeWords& words) const;

  private:
    std::string folder_;
};

}  // namespace zandrel
