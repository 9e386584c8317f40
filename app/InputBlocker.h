#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tarnvik::app {

// While active, swallows the user's input (mouse buttons, wheel, keys,
// shortcuts, drops) aimed at one window and its controls, so that no
// command can start while another one is half-way through its work.
// Repaints, timers and the input of other windows (a message box, the
// progress window) pass. UI thread only.
class InputBlocker : public QObject {
  Q_OBJECT

 public:
  explicit InputBlocker(QWidget* window);
  ~InputBlocker() override;

  void SetActive(bool active);
  bool IsActive() const { return active_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  bool active_ = false;
};

}  // namespace tarnvik::app
