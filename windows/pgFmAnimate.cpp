#include "windows/pgFmAnimate.h"

#include <QFont>

#include "base/Fonts.h"
#include "windows/QtText.h"

namespace tarnvik::windows {

TfmAnimate::TfmAnimate(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint),
      Animate(new AnimateClip(this)) {
  setObjectName(QStringLiteral("fmAnimate"));
  setWindowTitle(kDesignCaption);
  // Modal to the owner so that no command of the busy window can start
  // half-way through the scan or the sort.
  setWindowModality(Qt::WindowModal);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  QFont font(ToQString(base::kPGothicFont));
  font.setPixelSize(19);
  setFont(font);
  setFixedSize(119, 57);
  Animate->setObjectName(QStringLiteral("Animate"));
  Animate->setGeometry(0, 0, 80, 50);
}

TfmAnimate::~TfmAnimate() { Animate->Stop(); }

void TfmAnimate::AnimateStart(QWidget* MainForm, const QString& Comment, int ComnAVI) {
  Animate->SetClip(AnimateClip::EffectiveClip(ComnAVI));
  const int outerHeight = Animate->height() + 24;
  const int outerWidth = Animate->width() + 4;
  setFixedSize(QSize(outerWidth, outerHeight) - kToolFrame);
  Animate->move((outerWidth - Animate->width() - 4) / 2, 0);

  if (MainForm != nullptr) {
    const QSize mainOuter = OuterSize(MainForm);
    const QPoint mainPos = MainForm->pos();
    move(mainPos.x() + (mainOuter.width() - outerWidth) / 2,
         mainPos.y() + (mainOuter.height() - outerHeight) / 2);
  }
  setWindowTitle(Comment);
  show();
  Animate->Play();
}

}  // namespace tarnvik::windows
