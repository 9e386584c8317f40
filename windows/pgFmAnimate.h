#pragma once

#include <QString>
#include <QWidget>

#include "windows/AnimateClip.h"
#include "windows/WindowFrame.h"

namespace tarnvik::windows {

// The progress window fmAnimate: a small window with a busy animation and a
// caption, centred over the window that is busy. The owner creates it,
// calls AnimateStart and deletes it when the work is done; one window
// serves one operation.
//
// While it is shown it is modal to its owner: the owner takes no mouse or
// keyboard input, yet both windows keep repainting whenever the owner lets
// pending events be processed. UI thread only.
class TfmAnimate : public QWidget {
  Q_OBJECT

 public:
  // Design-time caption, replaced by AnimateStart.
  static inline const QString kDesignCaption = QStringLiteral("アニメーション");

  explicit TfmAnimate(QWidget* owner);
  ~TfmAnimate() override;

  // Shows the window over `MainForm` with the caption `Comment` and plays
  // clip `ComnAVI` (1 to 8; any other code plays clip 1). The window's outer
  // size is the clip's size plus its frame (4 wide, 24 high); its top is
  // MainForm's top + (MainForm's outer height - outer height) div 2, its
  // left likewise, with MainForm counted as a sizable window (see
  // WindowFrame.h).
  void AnimateStart(QWidget* MainForm, const QString& Comment, int ComnAVI);

  // Outer size as the placement rule counts it.
  int OuterWidth() const { return width() + kToolFrame.width(); }
  int OuterHeight() const { return height() + kToolFrame.height(); }

  // The animation control, at the top-left corner of the client area.
  AnimateClip* Animate;
};

}  // namespace tarnvik::windows
