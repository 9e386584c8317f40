#pragma once

#include <QAbstractTableModel>
#include <string>

#include "base/ResultTable.h"

namespace tarnvik::app {

// A Qt table model over a ResultTable. Row 0 of the table is the horizontal
// header, column 0 (the row number) the vertical header; the view sees the
// data rows 1 to RowCount - 1 and the columns 1 to ColCount - 1.
//
// The engine changes the table behind the model's back, so every change is
// announced in bulk by whoever runs the engine: BeginResult/EndResult (a
// model reset) around anything that changes the number of rows or columns,
// BeginSort/EndSort (a layout change) around a pass that only moves and
// rewrites rows. In between the model is frozen: it reports the shape it
// had at Begin and shows blank cells, so a repaint while the engine works
// never reads a row the engine is writing. Nothing is announced per row.
// A sort does not tell where rows went, so persistent indexes (selection,
// current row) keep their row numbers across BeginSort/EndSort. The
// brackets do not nest.
//
// Cells are shown as lib::DisplayText gives them (a file name in CP932 by
// its decoded text); the name and folder columns carry the same text as
// their tooltip. The table itself is never changed by the model. UI thread
// only.
class ResultTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultTableModel(const base::ResultTable& table, QObject* parent = nullptr);

  void BeginResult();
  void EndResult();
  void BeginSort();
  void EndSort();
  bool IsFrozen() const { return frozen_; }

  // The table row shown at a model row, and back.
  static int TableRow(int modelRow) { return modelRow + 1; }
  static int TableColumn(int modelColumn) { return modelColumn + 1; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QVariant CellText(int col, int row) const;

  const base::ResultTable& table_;
  // Scratch space for the decoded text of the cell being shown.
  mutable std::u16string shown_;
  bool frozen_ = false;
  int frozenRows_ = 1;
  int frozenColumns_ = 5;
};

}  // namespace tarnvik::app
