#pragma once

#include <QTableView>

#include "app/ResultTableModel.h"
#include "base/ResultTable.h"

namespace tarnvik::app {

// A string grid: a ResultTable with the view that shows it. The header row
// is the horizontal header, the number column the vertical header (fixed,
// never scrolled, with the header text of column 0 in the corner). Rows are
// 20 pixels high, one whole row is selected at a time, column widths come
// from the table, the grid lines are fixed and the cells are read-only.
//
// Whoever lets the engine change Table() brackets the change with
// BeginResult/EndResult or BeginSort/EndSort (see ResultTableModel); the
// column widths are taken from the table at EndResult. UI thread only.
class ResultGrid : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 20;

  explicit ResultGrid(QWidget* parent = nullptr);
  ~ResultGrid() override;

  base::ResultTable& Table() { return table_; }
  const base::ResultTable& Table() const { return table_; }
  ResultTableModel& Model() { return *model_; }

  void BeginResult();
  void EndResult();
  void BeginSort();
  void EndSort();

  // Applies the table's column widths (and the number column's width) to
  // the view.
  void SyncColumns();

  // The table row of the current row of the view; 0 when there is none.
  int CurrentTableRow() const;
  // Makes table row `row` the current, selected row of the view, as a click
  // on it would, when it is a data row of the table; otherwise does nothing.
  void SetCurrentTableRow(int row);

 signals:
  // A cell was selected: by a click (also on the row already selected) or
  // by moving the current row with the keyboard. `row` is the table row.
  // A click beside the rows selects nothing and keeps the selected row.
  void CellSelected(int row);
  // The grid was double-clicked (anywhere in its cells' area, as the user
  // aims at the row selected last), or Enter (either Enter key, without
  // other modifiers) was pressed on the current row; a held key opens once.
  void RowOpened();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  base::ResultTable table_;
  ResultTableModel* model_;
  QWidget* corner_ = nullptr;
};

}  // namespace tarnvik::app
