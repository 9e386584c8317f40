// Showing a file in the file manager over a session bus of the test's own:
// a private bus daemon, and a stand-in file manager on a second connection.

#include "platform/dbus/DBusFileManager.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using tarnvik::platform::DBusFileManager;

namespace {

QString g_address;

// A bus with no service files and no policy limits.
bool StartBus(QTemporaryDir& dir, QProcess& daemon) {
  const QString config = dir.filePath(QStringLiteral("bus.conf"));
  QFile f(config);
  if (!f.open(QIODevice::WriteOnly)) return false;
  f.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                         "Configuration 1.0//EN\" "
                         "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                         "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                         "<servicedir>%1/services</servicedir>"
                         "<policy context=\"default\"><allow send_destination=\"*\" "
                         "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                         "</policy></busconfig>\n")
              .arg(dir.path())
              .toUtf8());
  f.close();
  daemon.start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                QStringLiteral("--print-address=1")});
  if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(5000)) return false;
  g_address = QString::fromUtf8(daemon.readLine()).trimmed();
  return !g_address.isEmpty();
}

}  // namespace

// The stand-in file manager: notes the URIs it is asked to show.
class FakeFileManager1 : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

 public:
  QStringList shown;

 public slots:
  void ShowItems(const QStringList& uris, const QString& /*startupId*/) { shown << uris; }
};

class DBusFileManagerTest : public QObject {
  Q_OBJECT

 private slots:
  // Without a file manager on the bus nothing is asked and the caller is
  // told to open the folder itself; with one, it gets the file's URI made
  // from the exact bytes.
  void showsTheFileOnlyWhereAFileManagerIsOffered() {
    DBusFileManager files;
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QVERIFY(!files.ShowItem("/tmp/a.txt"));

    QDBusConnection other = QDBusConnection::connectToBus(g_address, QStringLiteral("fm"));
    QVERIFY(other.isConnected());
    FakeFileManager1 fake;
    QVERIFY(other.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake,
                                 QDBusConnection::ExportAllSlots));
    QVERIFY(other.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    QVERIFY(files.ShowItem("/tmp/caf\xE9 d/r\xFF%20.pdf"));
    QCOMPARE(fake.shown, QStringList{QStringLiteral("file:///tmp/caf%E9%20d/r%FF%2520.pdf")});
    QVERIFY(!files.ShowItem(std::string()));
    QCOMPARE(fake.shown.size(), 1);
    other.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fm"));
  }
};

int main(int argc, char** argv) {
  QTemporaryDir dir;
  QProcess daemon;
  if (!dir.isValid() || !StartBus(dir, daemon)) return 1;
  // The session bus is looked up on first use.
  qputenv("DBUS_SESSION_BUS_ADDRESS", g_address.toUtf8());
  int result = 0;
  {
    QApplication app(argc, argv);
    DBusFileManagerTest test;
    result = QTest::qExec(&test, argc, argv);
  }
  daemon.kill();
  daemon.waitForFinished(5000);
  return result;
}

#include "DBusFileManager_test.moc"
