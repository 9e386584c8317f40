#include "app/ResultTableModel.h"

#include <QString>

#include "core/ColumnLayout.h"
#include "lib/DisplayText.h"
#include "windows/QtText.h"

namespace tarnvik::app {

ResultTableModel::ResultTableModel(const base::ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void ResultTableModel::BeginResult() {
  beginResetModel();
  frozenRows_ = rowCount();
  frozenColumns_ = columnCount();
  frozen_ = true;
}

void ResultTableModel::EndResult() {
  frozen_ = false;
  endResetModel();
}

void ResultTableModel::BeginSort() {
  emit layoutAboutToBeChanged();
  frozenRows_ = rowCount();
  frozenColumns_ = columnCount();
  frozen_ = true;
}

void ResultTableModel::EndSort() {
  frozen_ = false;
  emit layoutChanged();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return frozen_ ? frozenRows_ : table_.RowCount() - 1;
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return frozen_ ? frozenColumns_ : table_.ColCount() - 1;
}

QVariant ResultTableModel::CellText(int col, int row) const {
  // The cell keeps the file system's bytes; a name in an old code page is
  // shown by the text it stands for.
  return windows::ToQString(lib::DisplayText(table_.Cell(col, row), shown_));
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  if (frozen_ || !index.isValid()) return {};
  if (index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int col = TableColumn(index.column());
  const int row = TableRow(index.row());
  if (role == Qt::DisplayRole) return CellText(col, row);
  // Long names and folders are cut off by their columns; the tooltip shows
  // them whole.
  if (role == Qt::ToolTipRole && (col == base::kColName || col == base::kColFolder) &&
      !table_.Cell(col, row).empty()) {
    return CellText(col, row);
  }
  return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) {
    // The header row is never touched by the engine's passes.
    return section < columnCount() ? CellText(TableColumn(section), 0) : QVariant();
  }
  if (frozen_ || section >= rowCount()) return {};
  return CellText(0, TableRow(section));
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace tarnvik::app
