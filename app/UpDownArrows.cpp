#include "app/UpDownArrows.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace tarnvik::app {

namespace {

// The focus frame: a rectangle inside the control's edge that lets every
// click and key through.
class FocusFrame final : public QWidget {
 public:
  explicit FocusFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter p(this);
    // Dotted, in the text colour, as the frame of a focused button in the
    // window's own look; the style's focus frame can be too faint over the
    // arrows' bevel.
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    p.setPen(pen);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
  }
};

}  // namespace

UpDownArrows::UpDownArrows(int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      position_(minimum),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      focusFrame_(new FocusFrame(this)) {
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
  focusFrame_->setGeometry(rect());
}

void UpDownArrows::focusInEvent(QFocusEvent* event) {
  focusFrame_->raise();
  focusFrame_->show();
  QWidget::focusInEvent(event);
}

void UpDownArrows::focusOutEvent(QFocusEvent* event) {
  focusFrame_->hide();
  QWidget::focusOutEvent(event);
}

}  // namespace tarnvik::app
