#pragma once

#include <QMenu>
#include <QString>
#include <functional>

#include "app/RowFile.h"

namespace tarnvik::base {
class EngineHost;
}
namespace tarnvik::platform {
class FileManager;
class Launcher;
}  // namespace tarnvik::platform

namespace tarnvik::app {

class ResultGrid;

// The context menu of a result grid, on the grid's selected row (a right
// click selects the row under the pointer first; the Menu key and Shift+F10
// take the selected row):
// - Open: what a double-click does (the launch table and its message);
// - Open with the default program: the desktop's program for the file's
//   kind, whatever the kind, through the launcher;
// - Show in folder: the file selected in the desktop's file manager, or,
//   when no file manager offers that, its folder opened through the
//   launcher;
// - Copy the full path, copy the name: the texts the grid shows, as plain
//   text on the clipboard (RowFile::displayPath, displayName).
// Nothing goes through a shell; the launcher and the file manager get the
// exact bytes. What the desktop cannot open or show is named in a message
// through the host. A row without a file offers only Open. UI thread only.
class GridMenu : public QMenu {
  Q_OBJECT

 public:
  static inline const QString kOpen = QStringLiteral("開く");
  static inline const QString kOpenWithDefault = QStringLiteral("既定のプログラムで開く");
  static inline const QString kShowInFolder = QStringLiteral("フォルダーを開く");
  static inline const QString kCopyPath = QStringLiteral("フルパスをコピー");
  static inline const QString kCopyName = QStringLiteral("ファイル名をコピー");
  // The folder of a file could not be shown; the path follows on the next
  // line.
  static inline const QString kFolderNotShownMessage =
      QStringLiteral("フォルダーを開けませんでした！！");

  // What the menu needs from its window.
  struct Hooks {
    // The file of the grid's selected row.
    std::function<RowFile()> selectedFile;
    // Opens the selected row as a double-click does.
    std::function<void()> open;
    // Runs a piece of work as one of the window's commands.
    std::function<void(const std::function<void()>&)> run;
  };

  // A menu for `grid`, shown when the grid asks for it. `host` shows the
  // messages; `launcher` and `files` must outlive the menu.
  GridMenu(ResultGrid* grid, Hooks hooks, base::EngineHost& host, platform::Launcher& launcher,
           platform::FileManager& files);

  // Turns the file actions on when the selected row names a file.
  void UpdateActions();

  // The actions' work, on the selected row's file.
  void OpenWithDefaultProgram();
  void ShowFileInFolder();
  void CopyFullPath();
  void CopyFileName();

  QAction* OpenAction;
  QAction* OpenWithDefaultAction;
  QAction* ShowInFolderAction;
  QAction* CopyPathAction;
  QAction* CopyNameAction;

 private:
  void PopUpAt(const QPoint& globalPos);
  void Tell(const QString& message, const std::string& path);

  Hooks hooks_;
  base::EngineHost& host_;
  platform::Launcher& launcher_;
  platform::FileManager& files_;
};

}  // namespace tarnvik::app
