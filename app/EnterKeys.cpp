#include "app/EnterKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace tarnvik::app {

EnterKeys::EnterKeys(QObject* parent) : QObject(parent) {}

void EnterKeys::AddButton(QAbstractButton* button) { AddField(button, button); }

void EnterKeys::AddField(QWidget* field, QAbstractButton* target) {
  fields_.push_back({field, target});
  field->installEventFilter(this);
}

bool EnterKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  // The number pad's Enter carries the keypad modifier.
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  for (const Field& f : fields_) {
    if (f.field != watched) continue;
    QAbstractButton* target = f.target;
    // A held key would run the command again and again.
    if (target != nullptr && target->isEnabled() && !key->isAutoRepeat()) {
      target->click();
    }
    return true;
  }
  return false;
}

}  // namespace tarnvik::app
