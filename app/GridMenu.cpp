#include "app/GridMenu.h"

#include <QApplication>
#include <QClipboard>

#include "app/ResultGrid.h"
#include "app/pgTarnvik.h"
#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "platform/FileManager.h"
#include "platform/Launcher.h"
#include "windows/QtText.h"

namespace tarnvik::app {

GridMenu::GridMenu(ResultGrid* grid, Hooks hooks, base::EngineHost& host,
                   platform::Launcher& launcher, platform::FileManager& files)
    : QMenu(grid), hooks_(std::move(hooks)), host_(host), launcher_(launcher), files_(files) {
  OpenAction = addAction(kOpen);
  // Bold, as the action a double-click takes.
  setDefaultAction(OpenAction);
  OpenWithDefaultAction = addAction(kOpenWithDefault);
  ShowInFolderAction = addAction(kShowInFolder);
  addSeparator();
  CopyPathAction = addAction(kCopyPath);
  CopyNameAction = addAction(kCopyName);
  connect(OpenAction, &QAction::triggered, this, [this] { hooks_.open(); });
  connect(OpenWithDefaultAction, &QAction::triggered, this, &GridMenu::OpenWithDefaultProgram);
  connect(ShowInFolderAction, &QAction::triggered, this, &GridMenu::ShowFileInFolder);
  connect(CopyPathAction, &QAction::triggered, this, &GridMenu::CopyFullPath);
  connect(CopyNameAction, &QAction::triggered, this, &GridMenu::CopyFileName);
  connect(grid, &ResultGrid::MenuRequested, this, &GridMenu::PopUpAt);
}

void GridMenu::UpdateActions() {
  const bool file = hooks_.selectedFile().IsFile();
  for (QAction* a : {OpenWithDefaultAction, ShowInFolderAction, CopyPathAction, CopyNameAction}) {
    a->setEnabled(file);
  }
}

void GridMenu::PopUpAt(const QPoint& globalPos) {
  UpdateActions();
  popup(globalPos);
}

void GridMenu::Tell(const QString& message, const std::string& path) {
  host_.ShowMessage(windows::ToText(message) + base::kCrLf + base::NativeToText(path));
}

void GridMenu::OpenWithDefaultProgram() {
  const RowFile file = hooks_.selectedFile();
  if (!file.IsFile()) return;
  hooks_.run([this, &file] {
    if (!launcher_.OpenDocument(file.path)) {
      Tell(TfmTarnvik::kOpenFailedMessage, file.path);
    }
  });
}

void GridMenu::ShowFileInFolder() {
  const RowFile file = hooks_.selectedFile();
  if (!file.IsFile()) return;
  hooks_.run([this, &file] {
    // Without a file manager that selects files, the folder itself is the
    // next best thing.
    if (!files_.ShowItem(file.path) && !launcher_.OpenDocument(file.folder)) {
      Tell(kFolderNotShownMessage, file.path);
    }
  });
}

void GridMenu::CopyFullPath() {
  const RowFile file = hooks_.selectedFile();
  if (file.IsFile()) QApplication::clipboard()->setText(file.displayPath);
}

void GridMenu::CopyFileName() {
  const RowFile file = hooks_.selectedFile();
  if (file.IsFile()) QApplication::clipboard()->setText(file.displayName);
}

}  // namespace tarnvik::app
