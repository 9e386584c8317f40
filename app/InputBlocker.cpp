#include "app/InputBlocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace tarnvik::app {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputBlocker::InputBlocker(QWidget* window) : QObject(window), window_(window) {}

InputBlocker::~InputBlocker() { SetActive(false); }

void InputBlocker::SetActive(bool active) {
  if (active == active_ || QCoreApplication::instance() == nullptr) return;
  active_ = active;
  if (active) {
    QCoreApplication::instance()->installEventFilter(this);
  } else {
    QCoreApplication::instance()->removeEventFilter(this);
  }
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type()) || window_.isNull()) return false;
  if (auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == window_;
  if (auto* window = qobject_cast<QWindow*>(watched)) return window == window_->windowHandle();
  return false;
}

}  // namespace tarnvik::app
