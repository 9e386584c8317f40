// The fonts the program asks for, as the font database of this run lists
// them. CTest runs this program twice on Linux: in the C locale, where
// fontconfig lists the Latin family names, and under LANG=ja_JP.UTF-8,
// where it lists the Japanese ones ("IPAゴシック"), as Windows does on a
// Japanese system.

#include "app/WindowFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

using tarnvik::app::GothicStandIns;
using tarnvik::app::PGothicStandIns;

class WindowFontsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const QStringList families = QFontDatabase::families();
    const bool anyJapanese = std::any_of(families.begin(), families.end(), [](const QString& f) {
      return QFontDatabase::writingSystems(f).contains(QFontDatabase::Japanese);
    });
    if (!anyJapanese) QSKIP("no Japanese font installed");
    windowFamily_ = tarnvik::app::InstallJapaneseFonts();
  }

  void standInsAreFoundUnderTheNamesListed() {
    const QStringList families = QFontDatabase::families();
    for (const QStringList& standIns : {GothicStandIns(), PGothicStandIns()}) {
      QVERIFY2(!standIns.isEmpty(), qPrintable(families.join(QLatin1String(", "))));
      for (const QString& f : standIns) QVERIFY2(families.contains(f), qPrintable(f));
    }
  }

  void windowFontIsAFixedPitchStandIn() {
    QVERIFY2(GothicStandIns().contains(windowFamily_), qPrintable(windowFamily_));
    const QFontMetrics fm(tarnvik::app::WindowFont());
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("ア")),
             2 * fm.horizontalAdvance(QStringLiteral("ｱ")));
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("i")), fm.horizontalAdvance(QStringLiteral("W")));
  }

  // Message boxes, menus and tips are not given a font by the program; their
  // default must still draw Japanese in one face, not kana patched into a
  // Latin (under Wine: serif) fallback.
  void defaultTextsAreDrawnInAJapaneseFace_data() {
    QTest::addColumn<QByteArray>("className");  // empty: the application's default
    QTest::newRow("application") << QByteArray();
    QTest::newRow("message box") << QByteArray("QMessageBox");
    QTest::newRow("menu") << QByteArray("QMenu");
    QTest::newRow("tool tip") << QByteArray("QTipLabel");
  }

  void defaultTextsAreDrawnInAJapaneseFace() {
    QFETCH(QByteArray, className);
    const QFont font =
        className.isEmpty() ? QApplication::font() : QApplication::font(className.constData());
    const QString drawn = QFontInfo(font).family();
    QVERIFY2(QFontDatabase::writingSystems(drawn).contains(QFontDatabase::Japanese),
             qPrintable(font.family() + QLatin1String(" -> ") + drawn));
  }

 private:
  QString windowFamily_;
};

QTEST_MAIN(WindowFontsTest)
#include "WindowFonts_test.moc"
