#include "windows/AnimateClip.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace tarnvik::windows {

namespace {

constexpr int kClipWidth = 272;
constexpr int kClipHeight = 56;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kPaperLines(150, 160, 175);
const QColor kFolder(240, 200, 80);
const QColor kFolderDark(200, 150, 40);
const QColor kLens(190, 225, 255, 150);
const QColor kScreen(30, 90, 160);
const QColor kBin(120, 140, 150);

// A page with a folded corner and a few lines of text, top-left at (x, y).
void DrawPage(QPainter& p, QPointF at, qreal scale = 1.0, qreal opacity = 1.0) {
  p.save();
  p.setOpacity(opacity);
  p.translate(at);
  p.scale(scale, scale);
  QPainterPath page;
  page.moveTo(0, 0);
  page.lineTo(22, 0);
  page.lineTo(30, 8);
  page.lineTo(30, 38);
  page.lineTo(0, 38);
  page.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.setBrush(QColor(225, 225, 225));
  p.drawPolygon(QPolygonF({QPointF(22, 0), QPointF(22, 8), QPointF(30, 8)}));
  p.setPen(QPen(kPaperLines, 2));
  for (int line = 0; line < 5; ++line) {
    const qreal y = 13 + line * 5;
    p.drawLine(QPointF(5, y), QPointF(line == 4 ? 16 : 25, y));
  }
  p.restore();
}

// A folder of 40 x 30, top-left at (x, y).
void DrawFolder(QPainter& p, QPointF at, bool open = false) {
  p.save();
  p.translate(at);
  p.setPen(QPen(kFolderDark, 1));
  p.setBrush(kFolderDark);
  p.drawRoundedRect(QRectF(0, 0, 16, 8), 2, 2);
  p.drawRect(QRectF(0, 4, 40, 26));
  p.setBrush(kFolder);
  if (open) {
    p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(44, 11), QPointF(40, 30), QPointF(0, 30)}));
  } else {
    p.drawRect(QRectF(0, 8, 40, 22));
  }
  p.restore();
}

// A monitor of 40 x 38, top-left at (x, y).
void DrawMonitor(QPainter& p, QPointF at) {
  p.save();
  p.translate(at);
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(215, 215, 210));
  p.drawRoundedRect(QRectF(0, 0, 40, 30), 3, 3);
  p.setBrush(kScreen);
  p.drawRect(QRectF(4, 4, 32, 21));
  p.setBrush(QColor(190, 190, 185));
  p.drawRect(QRectF(15, 30, 10, 4));
  p.drawRect(QRectF(8, 34, 24, 4));
  p.restore();
}

// A waste bin of 32 x 40, top-left at (x, y).
void DrawBin(QPainter& p, QPointF at) {
  p.save();
  p.translate(at);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBin);
  p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(30, 6), QPointF(26, 40), QPointF(6, 40)}));
  p.drawRect(QRectF(0, 2, 32, 4));
  p.setPen(QPen(QColor(90, 105, 115), 2));
  for (int x : {10, 16, 22}) p.drawLine(QPointF(x, 11), QPointF(x, 35));
  p.restore();
}

// A magnifying glass whose lens is centred on `centre`.
void DrawMagnifier(QPainter& p, QPointF centre) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 60, 30), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(9, 9), centre + QPointF(18, 18));
  p.setPen(QPen(kInk, 2));
  p.setBrush(kLens);
  p.drawEllipse(centre, 11, 11);
  p.setPen(QPen(QColor(255, 255, 255, 200), 2));
  p.drawArc(QRectF(centre - QPointF(7, 7), QSizeF(14, 14)), 100 * 16, 70 * 16);
  p.restore();
}

// 0..1 and back to 0 over one cycle, smooth at both ends.
qreal PingPong(qreal t) { return 0.5 - 0.5 * std::cos(2 * std::numbers::pi * t); }

// A point on the arc from `from` to `to`, `lift` pixels high in the middle.
QPointF OnArc(QPointF from, QPointF to, qreal t, qreal lift) {
  const QPointF straight = from + (to - from) * t;
  return straight - QPointF(0, lift * 4 * t * (1 - t));
}

// Three objects in a row with a magnifier sweeping over them.
template <typename DrawObject>
void PaintSearch(QPainter& p, qreal t, DrawObject draw) {
  for (int i = 0; i < 3; ++i) draw(QPointF(44 + i * 78, 9));
  const qreal x = 40 + PingPong(t) * 200;
  const qreal y = 22 + 6 * std::sin(4 * std::numbers::pi * t);
  DrawMagnifier(p, QPointF(x, y));
}

// Pages travelling on an arc from a folder on the left to `target`.
template <typename DrawTarget>
void PaintTransfer(QPainter& p, qreal t, int pages, bool fade, DrawTarget target) {
  DrawFolder(p, QPointF(14, 20), true);
  target();
  for (int i = 0; i < pages; ++i) {
    const qreal u = std::fmod(t + static_cast<qreal>(i) / pages, 1.0);
    const QPointF at = OnArc(QPointF(22, 14), QPointF(222, 14), u, 14);
    DrawPage(p, at, 0.8, fade ? 1.0 - u : 1.0);
  }
}

}  // namespace

AnimateClip::AnimateClip(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
  resize(80, 50);
}

int AnimateClip::EffectiveClip(int code) { return code >= 1 && code <= 8 ? code : 1; }

QSize AnimateClip::ClipSize(int /*code*/) { return QSize(kClipWidth, kClipHeight); }

void AnimateClip::SetClip(int code) {
  clip_ = EffectiveClip(code);
  resize(ClipSize(clip_));
  update();
}

void AnimateClip::Play() {
  clock_.start();
  timer_.start();
  update();
}

void AnimateClip::Stop() { timer_.stop(); }

int AnimateClip::CurrentFrame() const {
  if (!clock_.isValid()) return 0;
  return static_cast<int>((clock_.elapsed() / kFrameMs) % kFrameCount);
}

QSize AnimateClip::sizeHint() const { return ClipSize(clip_); }

void AnimateClip::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  PaintFrame(p, clip_, CurrentFrame());
}

void AnimateClip::PaintFrame(QPainter& p, int code, int frame) {
  const qreal t =
      static_cast<qreal>(((frame % kFrameCount) + kFrameCount) % kFrameCount) / kFrameCount;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  switch (EffectiveClip(code)) {
    case 1:
      PaintSearch(p, t, [&](QPointF at) { DrawFolder(p, at + QPointF(-4, 6)); });
      break;
    case 2:
      PaintSearch(p, t, [&](QPointF at) { DrawPage(p, at); });
      break;
    case 3:
      PaintSearch(p, t, [&](QPointF at) { DrawMonitor(p, at + QPointF(-4, 0)); });
      break;
    case 4:
      PaintTransfer(p, t, 3, false, [&] { DrawFolder(p, QPointF(218, 20), true); });
      break;
    case 5:
      PaintTransfer(p, t, 1, false, [&] { DrawFolder(p, QPointF(218, 20), true); });
      break;
    case 6:
      PaintTransfer(p, t, 1, false, [&] { DrawBin(p, QPointF(222, 12)); });
      break;
    case 7: {
      DrawBin(p, QPointF(18, 12));
      for (int i = 0; i < 3; ++i) {
        const qreal u = std::fmod(t + i / 3.0, 1.0);
        DrawPage(p, OnArc(QPointF(20, 8), QPointF(230, 20), u, 12), 0.7, 1.0 - u);
      }
      break;
    }
    case 8:
      PaintTransfer(p, t, 1, true, [] {});
      break;
  }
  p.restore();
}

}  // namespace tarnvik::windows
