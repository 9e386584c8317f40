#pragma once

#include <QWidget>

class QToolButton;

namespace tarnvik::app {

// Which arrow of an up-down control was pressed.
enum class UpDownButton { Up, Down };

// Up-down arrows: two stacked arrow buttons holding a position within a
// range. The up arrow adds one, the down arrow subtracts one; Clicked is
// emitted only when the position changes, so a press at either end of the
// range reports nothing. The Up and Down keys work when it has the focus,
// and a focus frame is drawn over the arrows meanwhile. UI thread only.
class UpDownArrows : public QWidget {
  Q_OBJECT

 public:
  explicit UpDownArrows(int minimum, int maximum, QWidget* parent = nullptr);

  int Position() const { return position_; }
  // Sets the position (clamped to the range) without reporting a click.
  void SetPosition(int position);

  QToolButton* UpArrow() const { return up_; }
  QToolButton* DownArrow() const { return down_; }

  // Presses one arrow, as a click of it does.
  void Press(UpDownButton button);

 signals:
  void Clicked(tarnvik::app::UpDownButton button);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int minimum_;
  int maximum_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
  // Drawn over the arrows, which cover the whole control.
  QWidget* focusFrame_;
};

}  // namespace tarnvik::app
