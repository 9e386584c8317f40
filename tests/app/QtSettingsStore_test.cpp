#include "platform/qt/QtSettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

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
};

QTEST_GUILESS_MAIN(QtSettingsStoreTest)
#include "QtSettingsStore_test.moc"
