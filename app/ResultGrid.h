#pragma once

#include <QTableView>
#include <functional>

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

  // The whole text of a cell (or of a row's number, for an index of the
  // vertical header's section `row` with column -1) when the cell is too
  // narrow to show all of it; empty when it fits. Hovering over a clipped
  // cell shows this text as its tooltip; a cell that fits shows none.
  QString ClippedText(const QModelIndex& index) const;
  QString ClippedNumber(int row) const;

  // Makes the data of a row dragged out of the grid: `source` gets the
  // table row and returns the data (owned by the caller), or null when the
  // row cannot be dragged. Without a source, rows cannot be dragged.
  using DragSource = std::function<QMimeData*(int row)>;
  void SetDragSource(DragSource source) { dragSource_ = std::move(source); }
  // Drags table row `row` out of the grid, as pressing on it and moving the
  // pointer away does; returns when the drop is done or cancelled.
  void DragRow(int row);

 signals:
  // A cell was selected: by a click (also on the row already selected) or
  // by moving the current row with the keyboard. `row` is the table row.
  // A click beside the rows selects nothing and keeps the selected row.
  void CellSelected(int row);
  // The grid was double-clicked (anywhere in its cells' area, as the user
  // aims at the row selected last), or Enter (either Enter key, without
  // other modifiers) was pressed on the current row; a held key opens once.
  void RowOpened();
  // The context menu is asked for at `globalPos`, on the selected row: by a
  // right click on a row (which selects it first) or beside the rows, by the
  // Menu key or by Shift+F10. Only asked while there is a selected row.
  void MenuRequested(QPoint globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RequestMenu(QPoint globalPos);

  base::ResultTable table_;
  ResultTableModel* model_;
  QWidget* corner_ = nullptr;
  DragSource dragSource_;
  // Where the left button went down on a row that may be dragged; -1 when
  // no drag can start.
  QPoint pressPos_;
  int pressRow_ = -1;
};

}  // namespace tarnvik::app
