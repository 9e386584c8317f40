#include "app/ResultGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>

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
  rows->viewport()->installEventFilter(this);
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
  pressRow_ = -1;
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && dragSource_) {
    pressPos_ = event->position().toPoint();
    pressRow_ = ResultTableModel::TableRow(indexAt(pressPos_).row());
  }
  QTableView::mousePressEvent(event);
}

void ResultGrid::mouseMoveEvent(QMouseEvent* event) {
  if (pressRow_ > 0 && (event->buttons() & Qt::LeftButton)) {
    // A row pressed on is dragged, not swept over: moving on would select
    // the rows under the pointer on the way out of the grid.
    if ((event->position().toPoint() - pressPos_).manhattanLength() >=
        QApplication::startDragDistance()) {
      const int row = pressRow_;
      pressRow_ = -1;
      DragRow(row);
    }
    event->accept();
    return;
  }
  QTableView::mouseMoveEvent(event);
}

void ResultGrid::mouseReleaseEvent(QMouseEvent* event) {
  pressRow_ = -1;
  QTableView::mouseReleaseEvent(event);
}

void ResultGrid::DragRow(int row) {
  if (!dragSource_ || row < 1 || row >= table_.RowCount() || model_->IsFrozen()) return;
  QMimeData* payload = dragSource_(row);
  if (payload == nullptr) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(payload);
  drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
}

void ResultGrid::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (event->reason() == QContextMenuEvent::Mouse) {
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    if (index.isValid()) {
      // The row under the pointer is the row the menu works on, as the one
      // a click there selects.
      const int row = ResultTableModel::TableRow(index.row());
      SetCurrentTableRow(row);
      emit CellSelected(row);
    }
    RequestMenu(event->globalPos());
    return;
  }
  RequestMenu(QPoint());
}

void ResultGrid::RequestMenu(QPoint globalPos) {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || model_->IsFrozen()) return;
  if (globalPos.isNull()) {
    // From the keyboard: below the selected row's name, or at the grid's
    // top when the row is scrolled out of sight.
    QRect cell = visualRect(model_->index(current.row(), 0));
    const QPoint at =
        viewport()->rect().intersects(cell) ? cell.bottomLeft() + QPoint(8, 0) : QPoint(8, 8);
    globalPos = viewport()->mapToGlobal(at);
  }
  emit MenuRequested(globalPos);
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
  // Shift+F10 opens the context menu as the Menu key does; the platform
  // turns only the Menu key into a context-menu event.
  if (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
    if (!event->isAutoRepeat()) RequestMenu(QPoint());
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

namespace {

// Whether `text` needs more than `width` pixels in `widget`'s font, with
// `margin` pixels kept free on either side.
bool Fits(const QWidget* widget, const QString& text, int width, int margin) {
  return widget->fontMetrics().horizontalAdvance(text) + 2 * margin <= width;
}

// Shows `text` as the tooltip of `area` within `widget`, or hides any tip
// when it is empty.
void ShowTip(QHelpEvent* help, const QString& text, QWidget* widget, const QRect& area) {
  if (text.isEmpty()) {
    QToolTip::hideText();
    help->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, widget, area);
  }
}

}  // namespace

QString ResultGrid::ClippedText(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != model_) return {};
  const QString text = index.data().toString();
  if (text.isEmpty()) return {};
  // The item delegate keeps the focus frame's margin and a pixel free on
  // both sides of the text, and the grid line takes the cell's last pixel.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int width = columnWidth(index.column()) - (showGrid() ? 1 : 0);
  return Fits(this, text, width, margin) ? QString() : text;
}

QString ResultGrid::ClippedNumber(int row) const {
  const QString text = model_->headerData(row, Qt::Vertical).toString();
  if (text.isEmpty()) return {};
  const QHeaderView* rows = verticalHeader();
  const int margin = rows->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rows);
  return Fits(rows, text, rows->width(), margin) ? QString() : text;
}

bool ResultGrid::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    ShowTip(help, ClippedText(index), viewport(), visualRect(index));
    return true;
  }
  return QTableView::viewportEvent(event);
}

bool ResultGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == verticalHeader()->viewport() && event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QHeaderView* rows = verticalHeader();
    const int section = rows->logicalIndexAt(help->pos());
    const QRect area(0, rows->sectionViewportPosition(section), rows->width(),
                     rows->sectionSize(section));
    ShowTip(help, section < 0 ? QString() : ClippedNumber(section), rows->viewport(), area);
    return true;
  }
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
