#pragma once

#include <QElapsedTimer>
#include <QSize>
#include <QTimer>
#include <QWidget>

class QPainter;

namespace tarnvik::windows {

// The busy animation of the progress window: small drawings of our own in
// place of the operating system's clips. Clip codes 1 to 8 are find folder,
// find file, find computer, copy files, copy file, recycle file, empty
// recycle bin and delete file; any other code plays clip 1.
//
// The animation advances only while the event loop runs: a timer asks for
// a repaint, and each paint shows the frame that the time since Play()
// calls for. UI thread only.
class AnimateClip : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFrameCount = 24;
  static constexpr int kFrameMs = 50;

  explicit AnimateClip(QWidget* parent = nullptr);

  // Chooses the clip and takes its frame size (every clip is 272 x 56).
  void SetClip(int code);
  int Clip() const { return clip_; }
  static QSize ClipSize(int code);
  // The clip that a code plays: the code itself for 1 to 8, else 1.
  static int EffectiveClip(int code);

  // Starts (or restarts) and stops the animation.
  void Play();
  void Stop();
  bool IsPlaying() const { return timer_.isActive(); }
  // The frame the next paint shows.
  int CurrentFrame() const;

  // Draws frame `frame` (taken modulo kFrameCount) of clip `code` into a
  // rectangle of ClipSize(code) at the painter's origin.
  static void PaintFrame(QPainter& p, int code, int frame);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int clip_ = 1;
  QElapsedTimer clock_;
  QTimer timer_;
};

}  // namespace tarnvik::windows
