// Opening a row's file and an exported workbook through the desktop's real
// opening mechanism: the program the desktop's MIME associations name. The
// test makes its own desktop in temporary XDG folders before anything reads
// them: one program, a recorder that writes the argument it was given to a
// file, set as the default for PDF, plain text and .xlsx workbooks; nothing
// for Word documents.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "app/pgTarnvik.h"
#include "base/TextCodec.h"
#include "platform/qt/QtSettingsStore.h"
#include "tests/app/TestWindow.h"

using tarnvik::app::TfmTarnvik;
using tarnvik::platform::QtSettingsStore;

namespace {

QTemporaryDir* g_desktop = nullptr;

std::string Native(const QString& s) { return QFile::encodeName(s).toStdString(); }

// Writes a file at exactly these path bytes (QFile would decode them).
bool WriteBytes(const std::string& path, const QByteArray& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool written = write(fd, bytes.constData(), bytes.size()) == bytes.size();
  return close(fd) == 0 && written;
}

// A desktop of our own: XDG folders under `base`, the MIME database of the
// system, and the recorder as the only program.
bool MakeDesktop(const QString& base) {
  const QString recorder = base + QStringLiteral("/recorder");
  const QString script = QStringLiteral(
                             "#!/bin/sh\n"
                             "printf '%s' \"$1\" > '%1/record.part' && mv '%1/record.part' "
                             "'%1/record'\n")
                             .arg(base);
  if (!WriteBytes(Native(recorder), script.toUtf8())) return false;
  chmod(QFile::encodeName(recorder).constData(), 0755);
  QDir().mkpath(base + QStringLiteral("/data/applications"));
  QDir().mkpath(base + QStringLiteral("/config"));
  QDir().mkpath(base + QStringLiteral("/sys"));
  QDir().mkpath(base + QStringLiteral("/sysconfig"));
  const QString types = QStringLiteral(
      "application/pdf;text/plain;"
      "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet;");
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\nType=Application\nName=Recorder\n"
                            "Exec=%1 %f\nMimeType=%2\n")
                            .arg(recorder, types);
  if (!WriteBytes(Native(base + "/data/applications/tarnvik-recorder.desktop"), entry.toUtf8()))
    return false;
  QString list = QStringLiteral("[Default Applications]\n");
  for (const QString& t : types.split(';', Qt::SkipEmptyParts)) {
    list += t + QStringLiteral("=tarnvik-recorder.desktop\n");
  }
  if (!WriteBytes(Native(base + "/config/mimeapps.list"), list.toUtf8())) return false;
  // Content types come from the system's MIME database; its programs stay
  // out of sight.
  if (symlink("/usr/share/mime", QFile::encodeName(base + "/sys/mime").constData()) != 0)
    return false;
  qputenv("XDG_DATA_HOME", QFile::encodeName(base + "/data"));
  qputenv("XDG_DATA_DIRS", QFile::encodeName(base + "/sys"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + "/config"));
  qputenv("XDG_CONFIG_DIRS", QFile::encodeName(base + "/sysconfig"));
  qputenv("XDG_CACHE_HOME", QFile::encodeName(base + "/cache"));
  return true;
}

QString RecordPath() { return g_desktop->filePath(QStringLiteral("record")); }

// The argument the recorder got, once it has run; the program starts on its
// own, so this waits for it, at most ten seconds.
QByteArray WaitForRecord() {
  QFile f(RecordPath());
  for (int i = 0; i < 200 && !f.exists(); ++i) QTest::qWait(50);
  if (!f.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<nothing was opened>");
  return f.readAll();
}

}  // namespace

class OpenWithDesktopTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<QtSettingsStore> store_;
  std::unique_ptr<TfmTarnvik> w_;
  QStringList messages_;
  std::string tree_;

  // The upper table's row showing `name` (file-system bytes).
  int RowOf(const std::string& name) {
    const auto& table = w_->StGSrchFl->Table();
    for (int r = 1; r < table.RowCount(); ++r) {
      if (table.Cell(1, r) == tarnvik::base::NativeToText(name)) return r;
    }
    return -1;
  }

  void Open(int row) {
    QFile::remove(RecordPath());
    w_->StGSrchFlSelectCell(row);
    w_->StGSrchFlDblClick();
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    tree_ = Native(dir_->filePath(QStringLiteral("tree")));
    QVERIFY(mkdir(tree_.c_str(), 0755) == 0);
    const QString settings = dir_->filePath(QStringLiteral("Tarnvik.conf"));
    {
      QSettings s(settings, QSettings::IniFormat);
      s.setValue("SrchFrom0", QFile::decodeName(QByteArray::fromStdString(tree_)));
    }
    store_ = std::make_unique<QtSettingsStore>(settings);
    messages_.clear();
  }

  void cleanup() {
    w_.reset();
    store_.reset();
    dir_.reset();
  }

  void rowOpensExactlyItsFile_data() {
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("backslash b") << QByteArray() << QByteArray("m\\back.pdf");
    QTest::newRow("backslash n") << QByteArray() << QByteArray("m\\new.pdf");
    QTest::newRow("two backslashes") << QByteArray() << QByteArray("a\\\\b.pdf");
    QTest::newRow("octal escape") << QByteArray() << QByteArray("\\0101.pdf");
    QTest::newRow("percent escape") << QByteArray() << QByteArray("%41%2F.pdf");
    QTest::newRow("newline") << QByteArray() << QByteArray("two\nlines.pdf");
    QTest::newRow("spaces") << QByteArray() << QByteArray(" a  b .pdf");
    QTest::newRow("quotes") << QByteArray() << QByteArray("say \"hi\" 'x'.pdf");
    QTest::newRow("semicolon") << QByteArray() << QByteArray("a;b&c|d.pdf");
    QTest::newRow("substitution") << QByteArray() << QByteArray("$(touch owned) `id`.pdf");
    QTest::newRow("leading dash") << QByteArray() << QByteArray("-rf.pdf");
    QTest::newRow("not utf-8") << QByteArray() << QByteArray("caf\xE9-\xFF.pdf");
    QTest::newRow("text file") << QByteArray() << QByteArray("memo \\t.txt");
    QTest::newRow("empty text file") << QByteArray() << QByteArray("empty.txt");
    QTest::newRow("odd folder") << QByteArray("sub\\b\n\xFE dir") << QByteArray("in.pdf");
  }

  void rowOpensExactlyItsFile() {
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, name);
    std::string dir = tree_;
    if (!folder.isEmpty()) {
      dir += "/" + folder.toStdString();
      QVERIFY(mkdir(dir.c_str(), 0755) == 0);
    }
    const std::string path = dir + "/" + name.toStdString();
    const QByteArray contents = name.endsWith(".pdf") ? QByteArray("%PDF-1.4\n%%EOF\n")
                                : name == "empty.txt" ? QByteArray()
                                                      : QByteArray("plain words\n");
    QVERIFY(WriteBytes(path, contents));
    w_ = std::make_unique<tarnvik::testing::TestWindow>(*store_);
    w_->SetMessageSink([this](const QString& m) { messages_ << m; });
    w_->BtnSearchClick();
    const int row = RowOf(name.toStdString());
    QVERIFY(row > 0);
    Open(row);
    QCOMPARE(WaitForRecord(), QByteArray::fromStdString(path));
    QVERIFY(messages_.isEmpty());
  }

  void aFileTheDesktopCannotOpenIsNamed_data() {
    QTest::addColumn<bool>("removed");
    QTest::newRow("no program for its type") << false;
    QTest::newRow("removed after the search") << true;
  }

  void aFileTheDesktopCannotOpenIsNamed() {
    QFETCH(bool, removed);
    const std::string path = tree_ + "/report \\b.doc";
    QVERIFY(WriteBytes(path, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)));
    const std::string pdf = tree_ + "/gone.pdf";
    QVERIFY(WriteBytes(pdf, QByteArray("%PDF-1.4\n")));
    w_ = std::make_unique<tarnvik::testing::TestWindow>(*store_);
    w_->SetMessageSink([this](const QString& m) { messages_ << m; });
    w_->BtnSearchClick();
    const std::string& target = removed ? pdf : path;
    if (removed) QVERIFY(unlink(pdf.c_str()) == 0);
    Open(RowOf(target.substr(tree_.size() + 1)));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0], QStringLiteral("ファイルを開けませんでした！！\n") +
                               QFile::decodeName(QByteArray::fromStdString(target)));
    QTest::qWait(200);
    QVERIFY(!QFile::exists(RecordPath()));
  }

  void exportedWorkbookIsOpened() {
    QVERIFY(WriteBytes(tree_ + "/a.pdf", QByteArray("%PDF-1.4\n")));
    w_ = std::make_unique<tarnvik::testing::TestWindow>(*store_);
    w_->SetMessageSink([this](const QString& m) { messages_ << m; });
    w_->BtnSearchClick();
    QFile::remove(RecordPath());
    w_->BtnXlsCnvClick();
    const QByteArray book = WaitForRecord();
    QVERIFY2(book.startsWith(QFile::encodeName(g_desktop->filePath("cache/tarnvik/"))),
             book.constData());
    QVERIFY(book.endsWith(".xlsx"));
    QVERIFY(messages_.isEmpty());
  }
};

int main(int argc, char** argv) {
  // The desktop must be in place before GIO or Qt first read the XDG
  // folders.
  QTemporaryDir desktop;
  if (!desktop.isValid() || !MakeDesktop(desktop.path())) return 1;
  g_desktop = &desktop;
  QApplication app(argc, argv);
  OpenWithDesktopTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "OpenWithDesktop_test.moc"
