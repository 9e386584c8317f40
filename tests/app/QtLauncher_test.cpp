#include "platform/qt/QtLauncher.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QList>
#include <QUrl>
#include <QtTest>
#include <string>
#include <vector>

#include "core/ColumnLayout.h"
#include "core/LaunchDecision.h"
#include "lib/TextCodec.h"

using tarnvik::platform::QtLauncher;

namespace {

// Stands in for the desktop: receives what QDesktopServices::openUrl would
// hand to it.
class CapturedFileUrls : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

struct NoMessages : tarnvik::core::EngineHost {
  int shown = 0;
  void ShowMessage(const std::u16string&) override { ++shown; }
};

// The bytes a receiver of the URL gets back: the encoded form after
// "file://", percent escapes undone.
QByteArray BytesOf(const QUrl& url) {
  const QByteArray encoded = url.toEncoded();
  if (!encoded.startsWith("file://")) return "not a file URL: " + encoded;
  return QByteArray::fromPercentEncoding(encoded.mid(7));
}

// Nothing in the URL's encoded form that a command line splits on or a shell
// interprets.
bool OnlyPlainCharacters(const QByteArray& encoded) {
  for (char ch : encoded) {
    const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                       (ch >= '0' && ch <= '9') || QByteArray("-._~/%:").contains(ch);
    if (!plain) return false;
  }
  return true;
}

std::string CurrentDir() {
  char buf[4096];
  return getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string();
}

}  // namespace

class QtLauncherTest : public QObject {
  Q_OBJECT

  CapturedFileUrls desktop_;

 private slots:
  void initTestCase() { QDesktopServices::setUrlHandler("file", &desktop_, "open"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
  void init() { desktop_.urls.clear(); }

  void opensExactlyThatFile_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char* tag, const QByteArray& path) {
      QTest::newRow(tag) << path << path;
    };
    row("plain", "/home/user/report.xls");
    row("spaces", "/home/user/My Documents/a  b .txt");
    row("quotes", "/tmp/say \"hi\" 'there'.txt");
    row("semicolon and substitution", "/tmp/a;b $(touch /tmp/owned) `id` &x|y>z.txt");
    row("leading dash", "/tmp/-rf");
    row("dash folder", "/-/--help.txt");
    row("newline and tab", "/tmp/two\nlines\tand\rcr.txt");
    row("not utf-8", "/tmp/latin1-\xE9-\xFF\xFE.xls");
    row("japanese", "/tmp/資料/写真.jpg");
    row("percent literal", "/tmp/100%41 %zz %.txt");
    row("url delimiters", "/tmp/a#frag?q=1&r=[2]@host:+,=.pdf");
    row("backslash", "/tmp/C:\\Program Files\\x.txt");
    row("long", "/tmp/" + QByteArray(3000, 'n') + ".txt");
    const QByteArray cwd = QByteArray::fromStdString(CurrentDir());
    QTest::newRow("relative") << QByteArray("rel name.txt") << cwd + "/rel name.txt";
    QTest::newRow("relative dash") << QByteArray("-rf.txt") << cwd + "/-rf.txt";
  }

  void opensExactlyThatFile() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, expected);
    QtLauncher launcher;
    QVERIFY(launcher.OpenDocument(path.toStdString()));
    QCOMPARE(desktop_.urls.size(), 1);
    const QUrl url = desktop_.urls.front();
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QVERIFY(url.host().isEmpty());
    QVERIFY2(OnlyPlainCharacters(url.toEncoded()), url.toEncoded().constData());
    QCOMPARE(BytesOf(url), expected);
  }

  void refusesPathsThatNameNoFile() {
    QtLauncher launcher;
    QVERIFY(!launcher.OpenDocument(""));
    QVERIFY(!launcher.OpenDocument(std::string("/tmp/a\0b.txt", 12)));
    QVERIFY(desktop_.urls.isEmpty());
  }

  // The double-click path end to end: table cells decoded from file-system
  // bytes come back to the desktop as the same bytes.
  void launchRowHandsTheDesktopTheRowsFile() {
    using namespace tarnvik;
    core::ResultTable table(6, 3);
    table.SetCell(core::kColName, 1, lib::NativeToText("caf\xE9 $(x).TXT"));
    table.SetCell(core::kColFolder, 1, lib::NativeToText("sub/\xFF dir"));
    table.SetCell(core::kColName, 2, lib::NativeToText("photo.png"));
    QtLauncher launcher;
    NoMessages host;
    core::LaunchRow(table, 1, lib::NativeToText("/home/\xFEuser"), launcher, host);
    core::LaunchRow(table, 2, u"/home/user", launcher, host);
    QCOMPARE(host.shown, 1);
    QCOMPARE(desktop_.urls.size(), 1);
    QCOMPARE(BytesOf(desktop_.urls.front()),
             QByteArray("/home/\xFEuser/sub/\xFF dir/caf\xE9 $(x).TXT"));
  }
};

QTEST_MAIN(QtLauncherTest)
#include "QtLauncher_test.moc"
