#include "app/ResultGrid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "core/ColumnLayout.h"
#include "windows/QtText.h"

namespace tarnvik::app {

ResultGrid::ResultGrid(QWidget* parent)
    : QTableView(parent), model_(new ResultTableModel(table_, this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab and Backtab go on to the window's next control, as in any other
  // control; the arrow keys move within the grid.
  setTabKeyNavigation(false);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

  QHeaderView* rows = verticalHeader();
  rows->setMinimumSectionSize(kRowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(kRowHeight);
  rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  rows->setHighlightSections(false);
  rows->setSectionsClickable(false);
  // Below the last row the number column shows the cells' background, as
  // the rest of the grid does.
  QPalette rowsPalette = rows->palette();
  rowsPalette.setColor(QPalette::Window, rowsPalette.color(QPalette::Base));
  rows->setPalette(rowsPalette);

  QHeaderView* cols = horizontalHeader();
  cols->setMinimumSectionSize(8);
  cols->setSectionResizeMode(QHeaderView::Fixed);
  cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  cols->setHighlightSections(false);
  cols->setSectionsClickable(false);
  cols->setStretchLastSection(false);
  cols->setFixedHeight(kRowHeight);

  // The corner shows the header text of the number column, as the fixed
  // cell at (0, 0) of the grid.
  corner_ = findChild<QAbstractButton*>();
  if (corner_ != nullptr) corner_->installEventFilter(this);
  SyncColumns();

  // Every press reports its row, the row already selected included, before
  // a double-click can report the opening.
  connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
    emit CellSelected(ResultTableModel::TableRow(index.row()));
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) emit CellSelected(ResultTableModel::TableRow(current.row()));
          });
}

void ResultGrid::mousePressEvent(QMouseEvent* event) {
  if (!indexAt(event->position().toPoint()).isValid()) {
    // A press beside the rows (below the last one) leaves the selected row
    // selected; the view would clear it while FoundRow or PickedRow still
    // name it.
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void ResultGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit RowOpened();
}

void ResultGrid::keyPressEvent(QKeyEvent* event) {
  // The number pad's Enter carries the keypad modifier; it opens as well.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      modifiers == Qt::NoModifier && currentIndex().isValid()) {
    // One press opens the file once, however long the key is held.
    if (!event->isAutoRepeat()) emit RowOpened();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

ResultGrid::~ResultGrid() = default;

void ResultGrid::BeginResult() { model_->BeginResult(); }

void ResultGrid::EndResult() {
  model_->EndResult();
  SyncColumns();
}

void ResultGrid::BeginSort() { model_->BeginSort(); }

void ResultGrid::EndSort() { model_->EndSort(); }

void ResultGrid::SyncColumns() {
  // A column whose width was never set keeps the view's default.
  for (int c = 1; c < table_.ColCount(); ++c) {
    if (table_.ColWidth(c) > 0) setColumnWidth(c - 1, table_.ColWidth(c));
  }
  if (table_.ColWidth(base::kColNumber) > 0) {
    verticalHeader()->setFixedWidth(table_.ColWidth(base::kColNumber));
  }
  if (corner_ != nullptr) corner_->update();
}

int ResultGrid::CurrentTableRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? ResultTableModel::TableRow(current.row()) : 0;
}

void ResultGrid::SetCurrentTableRow(int row) {
  if (row < 1 || row >= table_.RowCount() || model_->IsFrozen()) return;
  selectionModel()->setCurrentIndex(
      model_->index(row - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool ResultGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint) {
    QPainter p(corner_);
    QStyleOptionHeader opt;
    opt.initFrom(corner_);
    // The corner is a disabled button; its heading reads like the others.
    opt.state |= QStyle::State_Enabled;
    opt.palette.setCurrentColorGroup(QPalette::Active);
    opt.rect = corner_->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    opt.text = windows::ToQString(table_.Cell(base::kColNumber, 0));
    style()->drawControl(QStyle::CE_Header, &opt, &p, corner_);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace tarnvik::app
