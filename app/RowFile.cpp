#include "app/RowFile.h"

#include "app/ResultGrid.h"
#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "core/LaunchDecision.h"
#include "windows/QtText.h"

namespace tarnvik::app {

using windows::ToQString;
using windows::ToText;

QString WellFormed(QString text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
    } else if (c.isSurrogate()) {
      text[i] = QChar::ReplacementCharacter;
    }
  }
  return text;
}

RowFile FileOfRow(const ResultGrid& grid, int row, std::u16string_view root, char16_t separator) {
  const base::ResultTable& table = grid.Table();
  if (row < 1 || row >= table.RowCount()) return {};
  const std::u16string& name = table.Cell(base::kColName, row);
  if (name.empty()) return {};
  const std::u16string folder =
      core::LaunchFolder(root, table.Cell(base::kColFolder, row), separator);
  RowFile file;
  file.path = base::TextToNative(core::DecideLaunch(folder, name, separator).path);
  file.folder = base::TextToNative(folder);

  // What the user reads: the grid's own texts of the name and the folder.
  const QAbstractItemModel* model = grid.model();
  const int modelRow = row - ResultTableModel::TableRow(0);
  const QString shownName = model->index(modelRow, base::kColName - 1).data().toString();
  const QString shownFolder = model->index(modelRow, base::kColFolder - 1).data().toString();
  const std::u16string shownPath =
      core::DecideLaunch(core::LaunchFolder(root, ToText(shownFolder), separator),
                         ToText(shownName), separator)
          .path;
  file.displayName = WellFormed(shownName);
  file.displayPath = WellFormed(ToQString(shownPath));
  return file;
}

}  // namespace tarnvik::app
