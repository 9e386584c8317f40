#pragma once

#include <QApplication>
#include <QCursor>

namespace tarnvik::app {

// While alive, the pointer shows the wait cursor over all of the program's
// windows; it is put back when the object goes, however the scope is left.
// Nests. UI thread only.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// While alive, the ordinary arrow instead of a busy cursor, for a dialog the
// user answers in the middle of a command; does nothing when no other
// cursor is set. UI thread only.
class NormalCursor {
 public:
  NormalCursor() : pushed_(QApplication::overrideCursor() != nullptr) {
    if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (pushed_) QApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool pushed_;
};

}  // namespace tarnvik::app
