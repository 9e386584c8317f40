#include "app/WindowFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <initializer_list>

namespace tarnvik::app {

namespace {

// A stand-in font by its family names: the Latin one, and the one a font
// database lists instead under a Japanese locale (fontconfig with LANG=ja_*,
// Windows' font enumeration on a Japanese system).
struct StandIn {
  QString latin;
  QString japanese;
};

// The stand-ins that are installed, in the order given, each by the name the
// font database lists.
QStringList Installed(std::initializer_list<StandIn> candidates) {
  const QStringList families = QFontDatabase::families();
  QStringList out;
  for (const StandIn& c : candidates) {
    for (const QString& name : {c.latin, c.japanese}) {
      if (name.isEmpty()) continue;
      const auto listed = std::find_if(families.begin(), families.end(), [&](const QString& f) {
        return f.compare(name, Qt::CaseInsensitive) == 0;
      });
      if (listed != families.end()) {
        out << *listed;
        break;
      }
    }
  }
  return out;
}

void Substitute(const QString& design, const QStringList& standIns) {
  if (QFontDatabase::families().contains(design) || standIns.isEmpty()) return;
  QFont::removeSubstitutions(design);
  QFont::insertSubstitutions(design, standIns);
}

bool DrawsJapanese(const QString& family) {
  return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

// A default family that is missing is drawn in whatever face the system
// falls back to: under Wine "MS Shell Dlg" points at a font that is not
// there and ends in a serif without kana. Such a family is substituted; one
// that draws in its own face, or in a face that has kana (a Japanese
// system's dialog font), is left alone.
void SubstituteMissingDefault(const QFont& font, const QStringList& standIns) {
  const QString asked = font.family();
  // The face is looked up through a copy that differs only in a rendering
  // flag: Qt caches the face found for a font's exact description, and a
  // lookup of `font` itself would keep the fallback past the substitution.
  QFont probe(font);
  probe.setStyleStrategy(QFont::StyleStrategy(probe.styleStrategy() | QFont::NoSubpixelAntialias));
  const QString drawn = QFontInfo(probe).family();
  if (asked.isEmpty() || standIns.isEmpty() || drawn.compare(asked, Qt::CaseInsensitive) == 0 ||
      DrawsJapanese(drawn)) {
    return;
  }
  QFont::removeSubstitutions(asked);
  QFont::insertSubstitutions(asked, standIns);
}

}  // namespace

QStringList GothicStandIns() {
  return Installed({{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")},
                    {QStringLiteral("Noto Sans Mono CJK JP"), {}},
                    {QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")},
                    {QStringLiteral("VL Gothic"), QStringLiteral("VL ゴシック")},
                    {QStringLiteral("TakaoGothic"), QStringLiteral("Takaoゴシック")}});
}

QStringList PGothicStandIns() {
  return Installed({{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")},
                    {QStringLiteral("Noto Sans CJK JP"), {}},
                    {QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")},
                    {QStringLiteral("VL PGothic"), QStringLiteral("VL Pゴシック")},
                    {QStringLiteral("TakaoPGothic"), QStringLiteral("TakaoPゴシック")},
                    {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}});
}

QString InstallJapaneseFonts() {
  Substitute(kGothic, GothicStandIns());
  Substitute(kPGothic, PGothicStandIns());
  const QStringList uiStandIns = PGothicStandIns();
  for (const char* className : {"QMessageBox", "QMenu", "QTipLabel"}) {
    SubstituteMissingDefault(QApplication::font(className), uiStandIns);
  }
  SubstituteMissingDefault(QApplication::font(), uiStandIns);
  return QFontInfo(WindowFont()).family();
}

QFont WindowFont() {
  QFont font(kGothic);
  font.setPointSize(12);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace tarnvik::app
