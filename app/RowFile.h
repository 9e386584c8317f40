#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarnvik::app {

class ResultGrid;

// The file a row of a result grid stands for.
struct RowFile {
  // The full path and its folder, the file system's exact bytes.
  std::string path;
  std::string folder;
  // The full path and the name as the grid shows them, for the clipboard:
  // bytes that are not UTF-8 read as U+FFFD, so the text is well-formed
  // wherever it is pasted.
  QString displayPath;
  QString displayName;

  // Whether the row names a file at all (a blank row does not).
  bool IsFile() const { return !path.empty(); }
};

// The file of table row `row` of `grid`, whose rows are relative to `root`:
// the folder is the root joined with the row's folder cell and the path that
// folder joined with the name cell, by the rules a double-click opens with
// (core::LaunchFolder, core::DecideLaunch) with the system's `separator`
// (the launcher's). A row outside the table, or one with an empty name,
// gives an empty RowFile. UI thread.
RowFile FileOfRow(const ResultGrid& grid, int row, std::u16string_view root, char16_t separator);

// `text` with every lone surrogate (a byte of a name that is not UTF-8, as
// the table holds it) replaced by U+FFFD. Any thread.
QString WellFormed(QString text);

}  // namespace tarnvik::app
