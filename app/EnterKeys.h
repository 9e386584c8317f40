#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAbstractButton;

namespace tarnvik::app {

// Enter as Windows users know it in a form: Enter (or the number pad's
// Enter) on a focused button presses that button, and Enter in an input
// field presses the field's command button, when that button is enabled.
// Only the key without other modifiers counts, and a held key presses once.
// The key is taken from the widget either way, so nothing else acts on it.
// UI thread only.
class EnterKeys : public QObject {
  Q_OBJECT

 public:
  explicit EnterKeys(QObject* parent = nullptr);

  // Enter on `button` presses it.
  void AddButton(QAbstractButton* button);
  // Enter in `field` presses `target`.
  void AddField(QWidget* field, QAbstractButton* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QObject* field;
    QPointer<QAbstractButton> target;
  };
  std::vector<Field> fields_;
};

}  // namespace tarnvik::app
