// The main window's ways with the desktop beyond the fixed controls: the
// grids' context menus and rows dragged out of the grids.

#include "app/GridMenu.h"
#include "app/RowDrag.h"
#include "app/RowFile.h"
#include "app/pgTarnvik.h"
#include "platform/Launcher.h"

namespace tarnvik::app {

void TfmTarnvik::CreateDesktopHooks() {
  const auto run = [this](const std::function<void()>& work) { RunCommand(work); };
  srchFlMenu_ = new GridMenu(
      StGSrchFl,
      {[this] { return FileOfRow(*StGSrchFl, FoundRow, upperRoot_, launcher_.Separator()); },
       [this] { StGSrchFlDblClick(); }, run},
      *this, launcher_, fileManager_);
  selFilMenu_ = new GridMenu(
      StGSelFil,
      {[this] { return FileOfRow(*StGSelFil, PickedRow, lowerRoot_, launcher_.Separator()); },
       [this] { StGSelFilDblClick(); }, run},
      *this, launcher_, fileManager_);

  const auto dragged = [this](const ResultGrid& grid, int row, const std::u16string& root) {
    const RowFile file = FileOfRow(grid, row, root, launcher_.Separator());
    return file.IsFile() ? FileMimeData(file.path) : nullptr;
  };
  StGSrchFl->SetDragSource(
      [this, dragged](int row) { return dragged(*StGSrchFl, row, upperRoot_); });
  StGSelFil->SetDragSource(
      [this, dragged](int row) { return dragged(*StGSelFil, row, lowerRoot_); });
}

}  // namespace tarnvik::app
