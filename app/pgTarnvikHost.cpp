// The main window as the engine's host (base::EngineHost): the sort order,
// the count boxes, event processing, message boxes, the progress windows and
// the width limits of the column layout.

#include <QLabel>
#include <QMessageBox>

#include "app/BusyCursor.h"
#include "app/RadioGroup.h"
#include "app/pgTarnvik.h"
#include "windows/QtText.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmAnimate.h"

namespace tarnvik::app {

using windows::kSizableFrame;
using windows::ToQString;

base::SortOrder TfmTarnvik::CurrentSortOrder() const {
  return base::SortOrderFromIndex(RdGSortKbn->ItemIndex());
}

QLabel* TfmTarnvik::CountLabel(base::CountBox box) const {
  switch (box) {
    case base::CountBox::Files:
      return STxDatCnt;
    case base::CountBox::Folders:
      return STxFolder;
    case base::CountBox::Same:
      return STxEqual;
    case base::CountBox::Selected:
      return STxSelCnt;
  }
  return STxDatCnt;
}

void TfmTarnvik::ShowCount(base::CountBox box, int value) {
  CountLabel(box)->setText(QString::number(value));
}

void TfmTarnvik::ClearCount(base::CountBox box) { CountLabel(box)->clear(); }

void TfmTarnvik::ProcessPendingEvents() { pump_.Pump(); }

void TfmTarnvik::ShowMessage(const std::u16string& text) {
  QString message = ToQString(text);
  message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const NormalCursor pointer;
  if (messageSink_) {
    messageSink_(message);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarnvik"), message, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void TfmTarnvik::StartProgress(const QString& caption) {
  animate_ = std::make_unique<windows::TfmAnimate>(this);
  animate_->AnimateStart(this, caption, 2);
}

void TfmTarnvik::ScanBegins() { StartProgress(kScanCaption); }

void TfmTarnvik::ScanEnds() { animate_.reset(); }

void TfmTarnvik::SortBegins() { StartProgress(kSortCaption); }

void TfmTarnvik::SortEnds() { animate_.reset(); }

void TfmTarnvik::SetWindowWidthLimits(int pixels) {
  setFixedWidth(pixels - kSizableFrame.width());
  anchors_.Apply(size());
}

}  // namespace tarnvik::app
