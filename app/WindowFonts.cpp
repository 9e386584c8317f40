#include "app/WindowFonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace tarnvik::app {

namespace {

// The candidates that are installed, in the order given.
QStringList Installed(const QStringList& candidates) {
  const QStringList families = QFontDatabase::families();
  QStringList out;
  for (const QString& c : candidates) {
    if (families.contains(c, Qt::CaseInsensitive)) out << c;
  }
  return out;
}

void Substitute(const QString& design, const QStringList& standIns) {
  if (QFontDatabase::families().contains(design) || standIns.isEmpty()) return;
  QFont::removeSubstitutions(design);
  QFont::insertSubstitutions(design, standIns);
}

}  // namespace

QStringList GothicStandIns() {
  return Installed({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                    QStringLiteral("IPAexGothic"), QStringLiteral("VL Gothic"),
                    QStringLiteral("TakaoGothic")});
}

QStringList PGothicStandIns() {
  return Installed({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
                    QStringLiteral("TakaoPGothic"), QStringLiteral("IPAGothic")});
}

QString InstallJapaneseFonts() {
  Substitute(kGothic, GothicStandIns());
  Substitute(kPGothic, PGothicStandIns());
  return QFontInfo(WindowFont()).family();
}

QFont WindowFont() {
  QFont font(kGothic);
  font.setPointSize(12);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace tarnvik::app
