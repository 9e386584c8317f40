#include "platform/qt/QtSettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

using tarnvik::platform::QtSettingsStore;

class QtSettingsStoreTest : public QObject {
  Q_OBJECT

 private slots:
  void userFileLivesInTheXdgConfigFolder() {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (xdg.isEmpty()) QSKIP("XDG_CONFIG_HOME is not set");
    QtSettingsStore store;
    QCOMPARE(store.FileName(),
             QString::fromLocal8Bit(xdg) + QStringLiteral("/Tarnvik/Tarnvik.conf"));
  }

  void valuesSurviveARoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnvik/Tarnvik.conf"));
    // Not valid UTF-8 on disk: a lone surrogate stands for the raw byte.
    const std::u16string odd = {u'/', u't', 0xDC81, u'x'};
    {
      QtSettingsStore store(path);
      QVERIFY(!store.KeyExists());
      store.WriteInteger("Height", 700);
      store.WriteInteger("Width", -5);
      store.WriteString("SrchFrom0", u"/home/ユーザー/書類");
      store.WriteString("SrchFrom1", odd);
      store.WriteString("SrchFrom2", u"");
      QVERIFY(store.Flush());
    }
    QtSettingsStore store(path);
    QVERIFY(store.KeyExists());
    QCOMPARE(store.ReadInteger("Height"), std::optional<int>(700));
    QCOMPARE(store.ReadInteger("Width"), std::optional<int>(-5));
    QVERIFY(store.ReadString("SrchFrom0") == u"/home/ユーザー/書類");
    QVERIFY(store.ReadString("SrchFrom1") == odd);
    QVERIFY(store.ReadString("SrchFrom2").empty());
    QVERIFY(store.ReadString("SrchFrom3").empty());
    // The file is plain text with the value names at the top level.
    QSettings plain(path, QSettings::IniFormat);
    QCOMPARE(plain.value("SrchFrom0").toString(), QStringLiteral("/home/ユーザー/書類"));
    QCOMPARE(plain.value("Height").toString(), QStringLiteral("700"));
  }

  void damagedIntegersReadAsMissing_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("Height=621") << true << 621;
    QTest::newRow("spaces") << QByteArray("Height= 621 ") << true << 621;
    QTest::newRow("negative") << QByteArray("Height=-3") << true << -3;
    QTest::newRow("letters") << QByteArray("Height=abc") << false << 0;
    QTest::newRow("trailing letters") << QByteArray("Height=600px") << false << 0;
    QTest::newRow("fraction") << QByteArray("Height=600.5") << false << 0;
    QTest::newRow("too large") << QByteArray("Height=99999999999") << false << 0;
    QTest::newRow("hexadecimal") << QByteArray("Height=0x258") << false << 0;
    QTest::newRow("empty") << QByteArray("Height=") << false << 0;
    QTest::newRow("missing") << QByteArray("Width=736") << false << 0;
  }

  void damagedIntegersReadAsMissing() {
    QFETCH(QByteArray, line);
    QFETCH(bool, present);
    QFETCH(int, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnvik.conf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[General]\n" + line + "\n");
    f.close();
    QtSettingsStore store(path);
    QVERIFY(store.KeyExists());
    const std::optional<int> got = store.ReadInteger("Height");
    QCOMPARE(got.has_value(), present);
    if (present) QCOMPARE(*got, value);
  }

  void flushReportsAFolderThatCannotBeWritten() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("Tarnvik")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // "Tarnvik" is a file, so the settings folder cannot be made.
    QtSettingsStore store(dir.filePath(QStringLiteral("Tarnvik/Tarnvik.conf")));
    store.WriteInteger("Height", 1);
    QVERIFY(!store.Flush());
  }

  // Something other than a file at the settings path reads as no settings,
  // without waiting on it, and saving there fails.
  void onlyARegularFileHoldsSettings_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("folder") << "folder";
    QTest::newRow("folder holding a file") << "full folder";
  }

  void onlyARegularFileHoldsSettings() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnvik.conf"));
    const QByteArray native = QFile::encodeName(path);
    if (kind == "fifo") {
      QVERIFY(mkfifo(native.constData(), 0600) == 0);
    } else {
      QVERIFY(QDir().mkpath(path));
      if (kind == "full folder") {
        QFile inner(path + QStringLiteral("/x"));
        QVERIFY(inner.open(QIODevice::WriteOnly));
      }
    }
    // Should the store wait on the FIFO, a writer hands it settings, so the
    // test fails instead of hanging.
    std::atomic<bool> done{false};
    std::thread writer([&] {
      for (int i = 0; i < 400 && !done; ++i) {
        const int fd = open(native.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
          const char text[] = "[General]\nHeight=500\n";
          (void)!write(fd, text, sizeof text - 1);
          close(fd);
          return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    });
    {
      QtSettingsStore store(path);
      const bool exists = store.KeyExists();
      const std::optional<int> height = store.ReadInteger("Height");
      done = true;
      writer.join();
      QVERIFY(!exists);
      QVERIFY(!height.has_value());
      store.WriteString("SrchFrom0", u"/home");
      QVERIFY(!store.Flush());
      QCOMPARE(store.FileName(), path);
    }
    struct stat st {};
    QVERIFY(stat(native.constData(), &st) == 0);
    QCOMPARE(S_ISFIFO(st.st_mode), kind == "fifo");
    QCOMPARE(S_ISDIR(st.st_mode), kind != "fifo");
  }
};

QTEST_GUILESS_MAIN(QtSettingsStoreTest)
#include "QtSettingsStore_test.moc"
