#pragma once

#include <QTableView>

#include "app/ResultTableModel.h"
#include "core/ResultTable.h"

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

  core::ResultTable& Table() { return table_; }
  const core::ResultTable& Table() const { return table_; }
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  core::ResultTable table_;
  ResultTableModel* model_;
  QWidget* corner_ = nullptr;
};

}  // namespace tarnvik::app
