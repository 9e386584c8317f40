#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QWidget>

namespace tarnvik::windows {

// Window sizes that leave the program (saved settings, the placement rules
// of the dialogs and the progress window) count the outside of the window
// frame. A Linux window manager draws a frame of its own choosing, or none,
// so these sizes use a fixed nominal frame around the client area instead
// of the real one; positions are the real ones (a top-level widget's pos(),
// which is the top-left corner of its frame).
//
// Sizable windows (main window, folder dialog): 16 pixels wide, 39 high.
inline constexpr QSize kSizableFrame{16, 39};
// The progress window's fixed single border: 4 wide, 24 high.
inline constexpr QSize kToolFrame{4, 24};

// Outer size of a sizable top-level widget: its client size plus the frame.
inline QSize OuterSize(const QWidget* w) { return w->size() + kSizableFrame; }

// The sky blue background of the program's own windows.
inline QColor SkyBlue() { return QColor(166, 202, 240); }

// Top-left corner that centres a window of outer size `outer` on the
// screen of size `screen`, `below` pixels under the vertical centre:
// top = (screen h - (outer h + 28)) div 2 + below,
// left = (screen w - (outer w + 28)) div 2, division rounding toward zero.
inline QPoint ScreenCentred(QSize screen, QSize outer, int below = 0) {
  return QPoint((screen.width() - (outer.width() + 28)) / 2,
                (screen.height() - (outer.height() + 28)) / 2 + below);
}

}  // namespace tarnvik::windows
