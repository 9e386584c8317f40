#include "app/WrappedTextTip.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <QToolTip>

namespace tarnvik::app {

WrappedTextTip::WrappedTextTip(QPlainTextEdit* box) : QObject(box), box_(box) {
  box->installEventFilter(this);
  box->viewport()->installEventFilter(this);
  if (QWidget* window = box->window(); window != box) window->installEventFilter(this);
}

bool WrappedTextTip::IsClipped(const QPlainTextEdit& box) {
  QString text = box.toPlainText();
  if (text.isEmpty()) return false;
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  const QWidget* area = box.viewport();
  const qreal margin = box.document()->documentMargin();
  const qreal width = area->width() - 2 * margin;
  if (width <= 0) return true;
  QTextLayout layout(text, box.document()->defaultFont());
  QTextOption option = box.document()->defaultTextOption();
  option.setWrapMode(box.wordWrapMode());
  layout.setTextOption(option);
  qreal height = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    height += line.height();
  }
  layout.endLayout();
  return height + 2 * margin > area->height();
}

QString WrappedTextTip::TipText() const {
  return box_ != nullptr && IsClipped(*box_) ? box_->toPlainText() : QString();
}

bool WrappedTextTip::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::ToolTip || box_ == nullptr) return false;
  auto* help = static_cast<QHelpEvent*>(event);
  const QPoint at = box_->mapFromGlobal(help->globalPos());
  if (!box_->rect().contains(at)) return false;
  const QString tip = TipText();
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), tip, box_, box_->rect());
  }
  return true;
}

}  // namespace tarnvik::app
