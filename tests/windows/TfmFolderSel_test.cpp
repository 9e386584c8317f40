#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <algorithm>

#include "app/WindowFonts.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmFolderSel.h"

using tarnvik::windows::TfmFolderSel;
using tarnvik::windows::Volume;

using Volumes = std::vector<Volume>;
Q_DECLARE_METATYPE(Volumes)

namespace {

// The top of the file system the fixtures are made in: "/", or on Windows
// the drive of the temporary folder ("C:").
QString TopRoot() {
#ifdef Q_OS_WIN
  return QDir::tempPath().left(2);
#else
  return QStringLiteral("/");
#endif
}

// A path as the dialog shows and returns it: with the system's separators.
QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// A path as the folder tree's model names it: "/" separators, a drive root
// with its "/".
QString ModelForm(const QString& path) {
  const QString qt = QDir::fromNativeSeparators(path);
  return qt.endsWith(u':') ? qt + u'/' : qt;
}

}  // namespace

class TfmFolderSelTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { tarnvik::app::InstallJapaneseFonts(); }

  void designTimeDialog() {
    QWidget owner;
    TfmFolderSel fm(&owner);
    QCOMPARE(fm.windowTitle(), QStringLiteral("ドライブとフォルダーの選択"));
    QCOMPARE(fm.size(), QSize(306, 364));
    QCOMPARE(fm.minimumSize() + tarnvik::windows::kSizableFrame, QSize(248, 220));
    QCOMPARE(fm.palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(fm.font().pixelSize(), 16);
    QCOMPARE(fm.STxDrive->font().pixelSize(), 15);
    QCOMPARE(fm.STxFolder->font().pixelSize(), 15);
    QCOMPARE(fm.STxDrive->text(), QStringLiteral("ドライブ"));
    QCOMPARE(fm.STxFolder->text(), QStringLiteral("フォルダー"));
    QCOMPARE(fm.BtnSelect->text(), QStringLiteral("決 定"));
    QCOMPARE(fm.STxDrive->geometry(), QRect(4, 5, 73, 20));
    QCOMPARE(fm.DriveComb->geometry(), QRect(80, 4, 220, 22));
    QCOMPARE(fm.STxFolder->geometry(), QRect(8, 40, 89, 20));
    QCOMPARE(fm.BtnSelect->geometry(), QRect(225, 30, 53, 25));
    QCOMPARE(fm.DirListBox->geometry(), QRect(5, 62, 296, 270));
    QCOMPARE(fm.STxSelect->geometry(), QRect(8, 336, 290, 21));
    QVERIFY(!(fm.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(fm.windowFlags() & Qt::WindowMinMaxButtonsHint));

    fm.show();
    fm.resize(406, 464);
    QCOMPARE(fm.DriveComb->geometry(), QRect(80, 4, 320, 22));
    QCOMPARE(fm.BtnSelect->geometry(), QRect(325, 30, 53, 25));
    QCOMPARE(fm.DirListBox->geometry(), QRect(5, 62, 396, 370));
    QCOMPARE(fm.STxSelect->geometry(), QRect(8, 436, 390, 21));
    QCOMPARE(fm.STxDrive->geometry(), QRect(4, 5, 73, 20));
  }

  void placedBelowTheScreenCentre() {
    QWidget owner;
    TfmFolderSel fm(&owner);
    fm.show();
    const QSize screen = fm.screen()->geometry().size();
    const QSize outer = fm.size() + tarnvik::windows::kSizableFrame;
    QCOMPARE(fm.pos(), QPoint((screen.width() - (outer.width() + 28)) / 2,
                              (screen.height() - (outer.height() + 28)) / 2 + 84));
    QCOMPARE(fm.STxSelect->palette().color(QPalette::Window), fm.palette().color(QPalette::Base));
  }

  void volumesLeaveOutThePseudoFileSystems() {
    const Volumes volumes = tarnvik::windows::SearchableVolumes();
    QVERIFY(!volumes.empty());
#ifdef Q_OS_WIN
    // Drives, in letter order, each as "X:".
    for (size_t i = 0; i < volumes.size(); ++i) {
      const QString& root = volumes[i].rootPath;
      QVERIFY2(root.size() == 2 && root[1] == u':', qPrintable(root));
      if (i > 0) QVERIFY(volumes[i - 1].rootPath < root);
    }
    QVERIFY(std::any_of(volumes.begin(), volumes.end(),
                        [](const Volume& v) { return v.rootPath == TopRoot(); }));
#else
    QCOMPARE(volumes.front().rootPath, QStringLiteral("/"));
    for (const Volume& v : volumes) {
      for (const char* system : {"/proc", "/sys", "/dev", "/run/user"}) {
        QVERIFY2(v.rootPath != QLatin1String(system) &&
                     !v.rootPath.startsWith(QLatin1String(system) + QLatin1Char('/')),
                 qPrintable(v.rootPath));
      }
      QVERIFY(QFileInfo(v.rootPath).isDir());
    }
#endif
    QWidget owner;
    TfmFolderSel fm(&owner);
    QCOMPARE(fm.DriveComb->count(), static_cast<int>(volumes.size()));
    QCOMPARE(fm.DriveComb->itemData(0).toString(), volumes.front().rootPath);
  }

  void volumeForAPath_data() {
    QTest::addColumn<Volumes>("volumes");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("index");
    const Volumes v = {{"/", ""}, {"/media/usb", "USB"}, {"/media/usb/inner", ""}, {"/home", ""}};
    QTest::newRow("root file system") << v << "/etc/x" << 0;
    QTest::newRow("root itself") << v << "/" << 0;
    QTest::newRow("mount point itself") << v << "/media/usb" << 1;
    QTest::newRow("below a mount point") << v << "/media/usb/a/b" << 1;
    QTest::newRow("longest mount point wins") << v << "/media/usb/inner/c" << 2;
    QTest::newRow("whole components only") << v << "/media/usbstick" << 0;
    QTest::newRow("home") << v << "/home/user" << 3;
    QTest::newRow("no root volume") << Volumes{{"/media/usb", ""}} << "/etc" << -1;
    const Volumes drives = {{"C:", ""}, {"D:", "DATA"}};
    QTest::newRow("drive root") << drives << "D:" << 1;
    QTest::newRow("below a drive") << drives << "D:/Data/Sub" << 1;
    QTest::newRow("other drive") << drives << "E:/x" << -1;
  }

  void volumeForAPath() {
    QFETCH(Volumes, volumes);
    QFETCH(QString, path);
    QFETCH(int, index);
    QCOMPARE(tarnvik::windows::VolumeIndexFor(volumes, path), index);
  }

  void showsAndReturnsTheChosenFolder_data() {
    QTest::addColumn<QString>("given");  // "@" is the fixture folder, "^" the top root
    QTest::addColumn<QString>("shown");
    QTest::newRow("folder") << "@/書類/2025年度"
                            << "@/書類/2025年度";
    QTest::newRow("trailing slash") << "@/書類/"
                                    << "@/書類";
    QTest::newRow("hidden folder") << "@/.hidden"
                                   << "@/.hidden";
    QTest::newRow("volume root") << "^"
                                 << "^";
    QTest::newRow("relative path") << "書類"
                                   << "^";
    QTest::newRow("empty") << ""
                           << "^";
#ifdef Q_OS_WIN
    QTest::newRow("backslashes") << "@\\書類\\2025年度\\"
                                 << "@/書類/2025年度";
    QTest::newRow("drive root with backslash") << "^\\"
                                               << "^";
#endif
  }

  void showsAndReturnsTheChosenFolder() {
    QFETCH(QString, given);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("書類/2025年度")));
    QDir().mkpath(dir.filePath(QStringLiteral(".hidden")));
    for (QString* text : {&given, &shown}) {
      text->replace(QLatin1Char('@'), Native(dir.path()));
      text->replace(QLatin1Char('^'), TopRoot());
    }

    QWidget owner;
    TfmFolderSel fm(&owner, {{TopRoot(), ""}});
    fm.SetDirectory(given);
    QCOMPARE(fm.Directory(), Native(shown));
    QCOMPARE(fm.STxSelect->text(), Native(shown));
    QCOMPARE(fm.DriveComb->currentIndex(), 0);
    if (!shown.contains(QLatin1String("/."))) {
      auto* proxy = fm.DirListBox->model();
      QCOMPARE(
          proxy->data(fm.DirListBox->currentIndex(), QFileSystemModel::FilePathRole).toString(),
          ModelForm(shown));
    }
  }

  void chosenFolderIsOpenedAndScrolledIntoView() {
    QTemporaryDir dir;
    for (int i = 0; i < 60; ++i)
      QDir().mkpath(dir.filePath(QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'))));
    const QString chosen = dir.filePath(QStringLiteral("f57/奥"));
    QDir().mkpath(chosen);
    QWidget owner;
    // The folders on the way are read while the dialog is already open.
    TfmFolderSel fm(&owner, {{TopRoot(), ""}});
    fm.SetDirectory(chosen);
    fm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fm));
    const auto inView = [&] {
      const QModelIndex c = fm.DirListBox->currentIndex();
      return c.data(QFileSystemModel::FilePathRole).toString() == chosen &&
             fm.DirListBox->viewport()->rect().contains(fm.DirListBox->visualRect(c));
    };
    // Once the fixture's sixty folders are read, the chosen one has moved
    // far down the tree; it must still be in view.
    QTRY_COMPARE(fm.DirListBox->model()->rowCount(fm.DirListBox->currentIndex().parent().parent()),
                 60);
    QTRY_VERIFY(inView());
    QCOMPARE(fm.Directory(), Native(chosen));
  }

  void treeAndDriveBoxAreLinked() {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("a/b")));
    QWidget owner;
    // The fixture stands for a mounted volume of its own.
    TfmFolderSel fm(&owner, {{TopRoot(), ""}, {dir.path(), "FIXTURE"}});
    QCOMPARE(fm.DriveComb->itemText(1), dir.path() + QStringLiteral("  [FIXTURE]"));
    fm.SetDirectory(dir.filePath(QStringLiteral("a")));
    QCOMPARE(fm.DriveComb->currentIndex(), 1);
    QCOMPARE(fm.Directory(), Native(dir.filePath(QStringLiteral("a"))));

    // Choosing a folder in the tree shows it.
    auto* model = fm.DirListBox->model();
    QVERIFY(fm.DirListBox->currentIndex().isValid());
    // The tree lists folders as it reads them.
    QTRY_COMPARE(model->rowCount(fm.DirListBox->currentIndex()), 1);
    fm.DirListBox->setCurrentIndex(model->index(0, 0, fm.DirListBox->currentIndex()));
    QCOMPARE(fm.Directory(), Native(dir.filePath(QStringLiteral("a/b"))));
    QCOMPARE(fm.STxSelect->text(), Native(dir.filePath(QStringLiteral("a/b"))));

    // Choosing a volume shows its root, and the tree shows that volume only.
    fm.DriveCombChange(0);
    QCOMPARE(fm.Directory(), Native(TopRoot()));
    QCOMPARE(fm.DriveComb->currentIndex(), 0);
    fm.DriveCombChange(1);
    QCOMPARE(fm.Directory(), Native(dir.path()));
    const QModelIndex top = fm.DirListBox->rootIndex();
    QCOMPARE(model->rowCount(top), 1);
    QCOMPARE(model->index(0, 0, top).data(QFileSystemModel::FilePathRole).toString(), dir.path());
  }

  // Arrow keys right after opening walk the folder tree; they must not land
  // in the drive box, which would switch to another volume and lose the
  // chosen folder.
  void arrowKeysMoveThroughTheFolders() {
    QTemporaryDir dir;
    for (const char* name : {"a", "b", "c"}) QDir().mkpath(dir.filePath(QLatin1String(name)));
    const QString chosen = dir.filePath(QStringLiteral("b"));
    QWidget owner;
    TfmFolderSel fm(&owner, {{TopRoot(), ""}, {dir.path(), "FIXTURE"}});
    fm.SetDirectory(chosen);
    fm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fm));
    const auto current = [&] {
      return fm.DirListBox->currentIndex().data(QFileSystemModel::FilePathRole).toString();
    };
    QTRY_COMPARE(current(), chosen);
    QTRY_COMPARE(fm.DirListBox->model()->rowCount(fm.DirListBox->currentIndex().parent()), 3);
    QCOMPARE(fm.focusWidget(), static_cast<QWidget*>(fm.DirListBox));

    QTest::keyClick(fm.focusWidget(), Qt::Key_Down);
    QVERIFY(current() != chosen);
    QCOMPARE(QFileInfo(current()).path(), dir.path());
    QCOMPARE(fm.Directory(), Native(current()));
    QCOMPARE(fm.STxSelect->text(), Native(current()));
    QCOMPARE(fm.DriveComb->currentIndex(), 1);

    QTest::keyClick(fm.focusWidget(), Qt::Key_Up);
    QCOMPARE(current(), chosen);
    QCOMPARE(fm.Directory(), Native(chosen));
    QCOMPARE(fm.DriveComb->currentIndex(), 1);
    // The tree reads on in the background; the user's folder stays.
    QTest::qWait(100);
    QCOMPARE(fm.Directory(), Native(chosen));
  }

  void selectButtonCloses() {
    QWidget owner;
    TfmFolderSel fm(&owner, {{TopRoot(), ""}});
    QTimer::singleShot(0, &fm, [&] { QTest::mouseClick(fm.BtnSelect, Qt::LeftButton); });
    QCOMPARE(fm.exec(), static_cast<int>(QDialog::Accepted));
    QVERIFY(!fm.isVisible());
  }
};

QTEST_MAIN(TfmFolderSelTest)
#include "TfmFolderSel_test.moc"
