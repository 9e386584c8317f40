#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace tarnvik::windows {

// Window edges a control follows when its window changes size.
enum Anchor : int {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorLeftTop = kAnchorLeft | kAnchorTop,
  kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

// Places controls at fixed positions of a design-time client area and
// keeps them attached to the edges they are anchored to: a control
// anchored to the right (or bottom) edge only moves with it, one anchored
// to both opposite edges grows with the window, one anchored to neither
// keeps its distance from the left (top) edge. UI thread only.
class AnchorSet {
 public:
  explicit AnchorSet(QSize designClient) : design_(designClient) {}

  // Adds a control with its design-time geometry and anchors and places it.
  void Add(QWidget* control, QRect design, int anchors);

  // Places every control for a client area of the given size.
  void Apply(QSize client) const;

  // The geometry a control of the given design geometry and anchors gets
  // in a client area of the given size.
  static QRect Place(QRect design, int anchors, QSize designClient, QSize client);

 private:
  struct Item {
    QWidget* control;
    QRect design;
    int anchors;
  };
  QSize design_;
  std::vector<Item> items_;
};

}  // namespace tarnvik::windows
