#include "app/UpDownArrows.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace tarnvik::app {

UpDownArrows::UpDownArrows(int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      position_(minimum),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  setFocusPolicy(Qt::StrongFocus);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setIconSize(QSize(8, 8));
  }
  up_->setArrowType(Qt::UpArrow);
  up_->setObjectName(QStringLiteral("UpArrow"));
  down_->setArrowType(Qt::DownArrow);
  down_->setObjectName(QStringLiteral("DownArrow"));
  connect(up_, &QToolButton::clicked, this, [this] { Press(UpDownButton::Up); });
  connect(down_, &QToolButton::clicked, this, [this] { Press(UpDownButton::Down); });
}

void UpDownArrows::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
}

void UpDownArrows::Press(UpDownButton button) {
  const int next = button == UpDownButton::Up ? position_ + 1 : position_ - 1;
  if (next < minimum_ || next > maximum_) return;
  position_ = next;
  emit Clicked(button);
}

void UpDownArrows::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    Press(UpDownButton::Up);
  } else if (event->key() == Qt::Key_Down) {
    Press(UpDownButton::Down);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void UpDownArrows::resizeEvent(QResizeEvent* /*event*/) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace tarnvik::app
