#pragma once

#include <QObject>
#include <QPointer>

class QPlainTextEdit;

namespace tarnvik::app {

// Shows the whole text of a plain text box as its tooltip while the box is
// too small to show all of it (the text, wrapped at the box's width, needs
// more lines than the box has room for); a box whose text fits shows no tip.
// Works for a disabled box too: its mouse goes on to its window, which is
// watched as well. UI thread only.
class WrappedTextTip : public QObject {
  Q_OBJECT

 public:
  explicit WrappedTextTip(QPlainTextEdit* box);

  // The tip the box shows now: its text when clipped, else empty.
  QString TipText() const;
  static bool IsClipped(const QPlainTextEdit& box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QPlainTextEdit> box_;
};

}  // namespace tarnvik::app
