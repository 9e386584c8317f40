#include "windows/Anchors.h"

#include <utility>

namespace tarnvik::windows {

namespace {

// One axis: returns the new start and length.
std::pair<int, int> PlaceAxis(int start, int length, bool nearEdge, bool farEdge, int delta) {
  if (nearEdge && farEdge) return {start, length + delta};
  if (farEdge) return {start + delta, length};
  return {start, length};
}

}  // namespace

QRect AnchorSet::Place(QRect design, int anchors, QSize designClient, QSize client) {
  const auto [x, w] = PlaceAxis(design.x(), design.width(), anchors & kAnchorLeft,
                                anchors & kAnchorRight, client.width() - designClient.width());
  const auto [y, h] = PlaceAxis(design.y(), design.height(), anchors & kAnchorTop,
                                anchors & kAnchorBottom, client.height() - designClient.height());
  return QRect(x, y, w, h);
}

void AnchorSet::Add(QWidget* control, QRect design, int anchors) {
  items_.push_back({control, design, anchors});
  control->setGeometry(Place(design, anchors, design_,
                             control->parentWidget() ? control->parentWidget()->size() : design_));
}

void AnchorSet::Apply(QSize client) const {
  for (const Item& item : items_) {
    item.control->setGeometry(Place(item.design, item.anchors, design_, client));
  }
}

}  // namespace tarnvik::windows
