// The main window on Windows' own services: settings in the registry (a
// private key per test), drive roots, "\" paths in the tables and in the
// paths handed to the launcher.

#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "TreeFixture.h"
#include "app/ResultGrid.h"
#include "app/RowDrag.h"
#include "app/RowFile.h"
#include "app/WindowFonts.h"
#include "app/pgTarnvik.h"
#include "platform/Launcher.h"
#include "platform/qt/FileUri.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "tests/app/TestWindow.h"
#include "windows/pgFmFolderSel.h"

using tarnvik::app::ResultGrid;
using tarnvik::app::TfmTarnvik;
using tarnvik::platform::RegistrySettingsStore;

namespace {

QString Str(const std::u16string& s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::wstring Wide(const QString& s) { return s.toStdWString(); }

// A registry value as the test writes or finds it: a REG_DWORD or a REG_SZ.
using RegValue = std::variant<int, QString>;
using RegValues = QList<QPair<QString, RegValue>>;

// Takes the paths it is asked to open.
class RecordingLauncher final : public tarnvik::platform::Launcher {
 public:
  explicit RecordingLauncher(QStringList* paths) : paths_(paths) {}
  bool OpenDocument(const std::string& nativePath) override {
    *paths_ << QString::fromStdString(nativePath);
    return true;
  }
  char16_t Separator() const override { return u'\\'; }

 private:
  QStringList* paths_;
};

}  // namespace

Q_DECLARE_METATYPE(RegValues)

class TfmTarnvikWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::wstring key_;
  std::unique_ptr<RegistrySettingsStore> store_;
  QStringList opened_;

  // A fixture path with Windows' separators.
  QString Path(const QString& rel) const {
    return QDir::toNativeSeparators(rel.isEmpty() ? dir_->path() : dir_->filePath(rel));
  }

  void WriteValues(const RegValues& values) {
    HKEY key = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                             &key, nullptr),
             ERROR_SUCCESS);
    for (const auto& [name, value] : values) {
      if (const int* number = std::get_if<int>(&value)) {
        const DWORD data = static_cast<DWORD>(*number);
        RegSetValueExW(key, Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data);
      } else {
        const std::wstring text = Wide(std::get<QString>(value));
        RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
      }
    }
    RegCloseKey(key);
  }

  // The value `name` as the registry holds it, with its type; none when
  // absent or of another type.
  std::optional<RegValue> ReadValue(const QString& name) const {
    DWORD type = 0;
    DWORD size = 0;
    const std::wstring wname = Wide(name);
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), wname.c_str(), RRF_RT_ANY, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), wname.c_str(), RRF_RT_ANY, &type,
                     buffer.data(), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    if (type == REG_DWORD) return static_cast<int>(*reinterpret_cast<const DWORD*>(buffer.data()));
    if (type == REG_SZ) return QString::fromWCharArray(buffer.c_str());
    return std::nullopt;
  }

  std::unique_ptr<TfmTarnvik> Open(const RegValues& values = {}) {
    if (!values.isEmpty()) WriteValues(values);
    store_ = std::make_unique<RegistrySettingsStore>(key_);
    auto w = std::make_unique<tarnvik::testing::TestWindow>(
        *store_, std::make_unique<RecordingLauncher>(&opened_));
    w->show();
    return w;
  }

 private slots:
  void initTestCase() { tarnvik::app::InstallJapaneseFonts(); }

  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    key_ = L"Software\\TarnvikTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64());
    opened_.clear();
  }

  void cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

  void startsWithTheCaptionAndTheRegistrysRoots_data() {
    QTest::addColumn<RegValues>("saved");
    QTest::addColumn<QStringList>("roots");  // "@" is the fixture, "C:" the default root
    QTest::addColumn<int>("clientHeight");
    QTest::newRow("first run") << RegValues{} << QStringList{"C:", "C:", "C:", "C:", "C:"} << 582;
    QTest::newRow("saved roots and size")
        << RegValues{{"Height", 700},       {"Width", 900},
                     {"SrchFrom0", "@\\a"}, {"SrchFrom1", "@\\日本語\\"},
                     {"SrchFrom2", "C:\\"}, {"SrchFrom3", "@/a"}}
        << QStringList{"@\\a", "@\\日本語", "C:", "@/a", "C:"} << 661;
    QTest::newRow("roots that cannot be searched")
        << RegValues{{"SrchFrom0", "a"},
                     {"SrchFrom1", "\\"},
                     {"SrchFrom2", "/"},
                     {"SrchFrom3", "@\\gone"},
                     {"SrchFrom4", "@\\a\\file.txt"}}
        << QStringList{"C:", "C:", "C:", "C:", "C:"} << 582;
    // A value of another type than the one written is not the value.
    QTest::newRow("height as a string") << RegValues{{"Height", "700"}, {"SrchFrom0", "@\\a"}}
                                        << QStringList{"@\\a", "C:", "C:", "C:", "C:"} << 582;
  }

  void startsWithTheCaptionAndTheRegistrysRoots() {
    QFETCH(RegValues, saved);
    QFETCH(QStringList, roots);
    QFETCH(int, clientHeight);
    QDir().mkpath(dir_->filePath("a"));
    QDir().mkpath(dir_->filePath("日本語"));
    MakeFile(dir_->filePath("a/file.txt"), 1);
    for (auto& [name, value] : saved) {
      if (auto* text = std::get_if<QString>(&value)) text->replace(u'@', Path({}));
    }
    auto w = Open(saved);
    QCOMPARE(w->windowTitle(), TfmTarnvik::kCaption);
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(Str(w->SearchRoots()[i]), QString(roots[i]).replace(u'@', Path({})));
    }
    QCOMPARE(w->RcEdFmPath->toPlainText(), Str(w->SearchRoots()[0]));
    QCOMPARE(w->height(), clientHeight);
    QVERIFY(w->BtnSearch->isEnabled());
  }

  // Folders in the table, and the file a row opens, use "\".
  void searchShowsWindowsPaths() {
    MakeFile(dir_->filePath("tree/a.txt"), 12);
    MakeFile(dir_->filePath("tree/書類/a.txt"), 12);
    MakeFile(dir_->filePath("tree/書類/2025年度/報告書.xlsx"), 5);
    auto w = Open({{"SrchFrom0", Path("tree")}});
    QTest::mouseClick(w->BtnSearch, Qt::LeftButton);
    ResultGrid* upper = w->StGSrchFl;
    QCOMPARE(upper->model()->rowCount(), 3);
    const auto cell = [&](int row, int column) {
      return upper->model()->index(row, column).data().toString();
    };
    QCOMPARE(cell(0, 0), QStringLiteral("a.txt"));
    QCOMPARE(cell(0, 1), QString());
    QCOMPARE(cell(1, 0), QStringLiteral("a.txt"));
    QCOMPARE(cell(1, 1), QStringLiteral("書類"));
    QCOMPARE(cell(1, 4), QStringLiteral("Same"));
    QCOMPARE(cell(2, 0), QStringLiteral("報告書.xlsx"));
    QCOMPARE(cell(2, 1), QStringLiteral("書類\\2025年度"));
    QCOMPARE(w->STxFolder->text(), QStringLiteral("3"));

    upper->setCurrentIndex(upper->model()->index(2, 0));
    emit upper->RowOpened();
    QCOMPARE(opened_, QStringList{Path("tree/書類/2025年度/報告書.xlsx")});
  }

  // A drive root is stored as "C:"; the paths of its rows carry one "\"
  // after the drive, those of its folders' rows one more per folder.
  void driveRootJoinsWithOneSeparator() {
    const QString drive = Path({}).left(2);
    auto w = Open({{"SrchFrom0", drive + u'\\'}});
    QCOMPARE(Str(w->SearchRoots()[0]), drive);
    ResultGrid* upper = w->StGSrchFl;
    upper->BeginResult();
    upper->Table().SetCell(1, 1, u"x.txt");
    upper->Table().SetCell(1, 2, u"y.txt");
    upper->Table().SetCell(2, 2, u"書類\\2025");
    upper->Table().SetRowCount(3);
    upper->EndResult();
    const std::u16string root = drive.toStdU16String();
    QCOMPARE(QString::fromStdString(tarnvik::app::FileOfRow(*upper, 1, root, u'\\').path),
             drive + QStringLiteral("\\x.txt"));
    QCOMPARE(QString::fromStdString(tarnvik::app::FileOfRow(*upper, 2, root, u'\\').path),
             drive + QStringLiteral("\\書類\\2025\\y.txt"));
  }

  // A dragged row names its file by a URI other programs on Windows read
  // back as the same path.
  void draggedFilesAreWindowsUris_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("uri");
    QTest::addColumn<QString>("localFile");
    QTest::newRow("drive") << "C:\\書類\\a b%.txt"
                           << QByteArray("file:///C:/%E6%9B%B8%E9%A1%9E/a%20b%25.txt")
                           << "C:/書類/a b%.txt";
    QTest::newRow("drive root") << "D:\\x.txt" << QByteArray("file:///D:/x.txt") << "D:/x.txt";
    QTest::newRow("share") << "\\\\host\\share\\x.txt" << QByteArray("file://host/share/x.txt")
                           << "//host/share/x.txt";
  }

  void draggedFilesAreWindowsUris() {
    QFETCH(QString, path);
    QFETCH(QByteArray, uri);
    QFETCH(QString, localFile);
    const std::string native = path.toStdString();
    QCOMPARE(tarnvik::platform::FileUri(native), uri);
    const std::unique_ptr<QMimeData> data(tarnvik::app::FileMimeData(native));
    QCOMPARE(data->urls().size(), 1);
    QCOMPARE(data->urls()[0].toLocalFile(), localFile);
  }

  void exitButtonSavesToTheRegistry() {
    QDir().mkpath(dir_->filePath("r1"));
    QDir().mkpath(dir_->filePath("r3"));
    auto w = Open({{"SrchFrom1", Path("r1")}, {"SrchFrom3", Path("r3") + u'\\'}});
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    w->resize(720, 700);
    QTest::mouseClick(w->BtnPrgEnd, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(ReadValue("Height"), std::optional<RegValue>(739));
    QCOMPARE(ReadValue("Width"), std::optional<RegValue>(736));
    const QStringList want = {"C:", Path("r1"), "C:", Path("r3"), "C:"};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(ReadValue(QStringLiteral("SrchFrom%1").arg(i)), std::optional<RegValue>(want[i]));
    }
    // The next start finds the same window.
    auto again = Open();
    QCOMPARE(again->height(), 700);
    QCOMPARE(Str(again->SearchRoots()[3]), Path("r3"));
  }

  void browseStoresNativePaths_data() {
    QTest::addColumn<QString>("choose");  // "@" is the fixture
    QTest::addColumn<QString>("stored");
    QTest::newRow("folder") << "@/data/sub"
                            << "@\\data\\sub";
    QTest::newRow("folder with backslashes") << "@\\data\\"
                                             << "@\\data";
    QTest::newRow("drive root") << "C:\\"
                                << "C:";
  }

  void browseStoresNativePaths() {
    QFETCH(QString, choose);
    QFETCH(QString, stored);
    choose.replace(u'@', dir_->path());
    stored.replace(u'@', Path({}));
    QDir().mkpath(dir_->filePath("data/sub"));
    auto w = Open({{"SrchFrom0", Path("data")}});
    QString shownAtOpen;
    QTimer::singleShot(0, w.get(), [&] {
      auto* dialog =
          qobject_cast<tarnvik::windows::TfmFolderSel*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      shownAtOpen = dialog->Directory();
      dialog->SetDirectory(choose);
      QTest::mouseClick(dialog->BtnSelect, Qt::LeftButton);
    });
    QTest::mouseClick(w->BtnFmPath, Qt::LeftButton);
    QCOMPARE(shownAtOpen, Path("data"));
    QCOMPARE(Str(w->SearchRoots()[0]), stored);
    QCOMPARE(w->RcEdFmPath->toPlainText(), stored);
  }
};

QTEST_MAIN(TfmTarnvikWindowsTest)
#include "TfmTarnvikWindows_test.moc"
