#include <QImage>
#include <QPainter>
#include <QSet>
#include <QWidget>
#include <QtTest>

#include "app/WindowFonts.h"
#include "windows/AnimateClip.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmAnimate.h"

using tarnvik::windows::AnimateClip;
using tarnvik::windows::TfmAnimate;

namespace {

QImage Frame(int clip, int frame) {
  QImage image(AnimateClip::ClipSize(clip), QImage::Format_ARGB32);
  image.fill(Qt::lightGray);
  QPainter p(&image);
  AnimateClip::PaintFrame(p, clip, frame);
  return image;
}

}  // namespace

class TfmAnimateTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { tarnvik::app::InstallJapaneseFonts(); }

  void designTimeWindow() {
    QWidget owner;
    TfmAnimate fm(&owner);
    QCOMPARE(fm.windowTitle(), QStringLiteral("アニメーション"));
    QCOMPARE(fm.size(), QSize(119, 57));
    QCOMPARE(fm.Animate->geometry(), QRect(0, 0, 80, 50));
    QCOMPARE(fm.font().pixelSize(), 19);
    QCOMPARE(fm.parentWidget(), &owner);
    QVERIFY(fm.isWindow());
    QVERIFY(!fm.isVisible());
    QVERIFY(!(fm.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(fm.windowFlags() & Qt::WindowMinimizeButtonHint));
  }

  void placementOverTheMainWindow_data() {
    QTest::addColumn<QRect>("mainOuter");  // position and outer size of the main window
    QTest::addColumn<int>("clip");
    QTest::addColumn<int>("effectiveClip");
    QTest::newRow("find file") << QRect(50, 100, 736, 600) << 2 << 2;
    QTest::newRow("code 0") << QRect(0, 0, 736, 621) << 0 << 1;
    QTest::newRow("code 9") << QRect(300, 200, 780, 400) << 9 << 1;
    QTest::newRow("negative code") << QRect(10, 10, 736, 500) << -3 << 1;
    QTest::newRow("delete file") << QRect(0, 0, 736, 621) << 8 << 8;
    QTest::newRow("main window smaller than the progress window")
        << QRect(-40, -30, 200, 60) << 1 << 1;
  }

  void placementOverTheMainWindow() {
    QFETCH(QRect, mainOuter);
    QFETCH(int, clip);
    QFETCH(int, effectiveClip);
    QWidget main;
    main.move(mainOuter.topLeft());
    main.resize(mainOuter.size() - tarnvik::windows::kSizableFrame);
    TfmAnimate fm(&main);
    fm.AnimateStart(&main, QStringLiteral("ファイルの検索処理中！！"), clip);

    QCOMPARE(fm.Animate->Clip(), effectiveClip);
    const QSize clipSize = AnimateClip::ClipSize(effectiveClip);
    QCOMPARE(fm.Animate->size(), clipSize);
    QCOMPARE(fm.OuterHeight(), clipSize.height() + 24);
    QCOMPARE(fm.OuterWidth(), clipSize.width() + 4);
    QCOMPARE(fm.Animate->x(), 0);
    // Integer division toward zero, also for a negative difference.
    QCOMPARE(fm.y(), mainOuter.y() + (mainOuter.height() - fm.OuterHeight()) / 2);
    QCOMPARE(fm.x(), mainOuter.x() + (mainOuter.width() - fm.OuterWidth()) / 2);
    QCOMPARE(fm.windowTitle(), QStringLiteral("ファイルの検索処理中！！"));
    QVERIFY(fm.isVisible());
    QVERIFY(fm.Animate->IsPlaying());
    QCOMPARE(fm.windowModality(), Qt::WindowModal);
  }

  void eightyPixelWindowOverSixHundredSitsAt360() {
    // The clips are 56 pixels high, so the progress window is 80 high.
    QWidget main;
    main.move(0, 100);
    main.resize(QSize(736, 600) - tarnvik::windows::kSizableFrame);
    TfmAnimate fm(&main);
    fm.AnimateStart(&main, QStringLiteral("ファイルのＳｏｒｔ！中"), 2);
    QCOMPARE(fm.OuterHeight(), 80);
    QCOMPARE(fm.y(), 360);
    QCOMPARE(fm.windowTitle(), QStringLiteral("ファイルのＳｏｒｔ！中"));
  }

  void everyClipDrawsItsOwnMovingPicture() {
    QSet<QByteArray> firstFrames;
    for (int clip = 1; clip <= 8; ++clip) {
      const QImage a = Frame(clip, 0);
      const QImage b = Frame(clip, AnimateClip::kFrameCount / 4);
      QVERIFY2(a != b, qPrintable(QStringLiteral("clip %1 does not move").arg(clip)));
      QImage blank(a.size(), a.format());
      blank.fill(Qt::lightGray);
      QVERIFY(a != blank);
      firstFrames.insert(QByteArray(reinterpret_cast<const char*>(a.constBits()), a.sizeInBytes()));
      // The cycle repeats.
      QCOMPARE(Frame(clip, AnimateClip::kFrameCount + 2), Frame(clip, 2));
    }
    QCOMPARE(firstFrames.size(), 8);
    // Unknown codes draw the find-folder clip.
    QCOMPARE(Frame(0, 5), Frame(1, 5));
    QCOMPARE(Frame(9, 5), Frame(1, 5));
  }
};

QTEST_MAIN(TfmAnimateTest)
#include "TfmAnimate_test.moc"
