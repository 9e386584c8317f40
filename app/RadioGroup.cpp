#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace tarnvik::app {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)), columns_(std::max(1, columns)) {
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    group_->addButton(b, i);
    buttons_.push_back(b);
  }
  if (!buttons_.empty()) buttons_.front()->setChecked(true);
  connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit ItemChanged(id);
  });
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < Count()) buttons_[static_cast<size_t>(index)]->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  // Items share the space below the caption in equal columns and rows.
  const int top = fontMetrics().height() + 1;
  const int rows = (Count() + columns_ - 1) / columns_;
  const int cellWidth = (width() - 8) / columns_;
  const int cellHeight = std::max(1, (height() - top - 3) / std::max(1, rows));
  for (int i = 0; i < Count(); ++i) {
    buttons_[static_cast<size_t>(i)]->setGeometry(
        4 + (i % columns_) * cellWidth, top + (i / columns_) * cellHeight, cellWidth, cellHeight);
  }
}

}  // namespace tarnvik::app

namespace tarnvik::app {

void RadioGroup::paintEvent(QPaintEvent* /*event*/) {
  // An etched frame whose top line runs through the middle of the caption.
  QPainter p(this);
  const QFontMetrics fm = fontMetrics();
  const int line = fm.height() / 2;
  const QRect frame = rect().adjusted(0, line, -1, -1);
  const QColor dark = palette().color(QPalette::Dark);
  const QColor light = palette().color(QPalette::Light);
  p.setPen(dark);
  p.drawRect(frame.adjusted(0, 0, -1, -1));
  p.setPen(light);
  p.drawRect(frame.adjusted(1, 1, 0, 0));
  const QRect caption(8, 0, fm.horizontalAdvance(title()) + 4, fm.height());
  p.fillRect(caption, palette().color(QPalette::Window));
  p.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace tarnvik::app
