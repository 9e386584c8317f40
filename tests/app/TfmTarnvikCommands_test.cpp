// The window's commands on a search result: duplicate views, keyword filter,
// opening a row's file, and export to a workbook.

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "TreeFixture.h"
#include "app/pgTarnvik.h"
#include "platform/Launcher.h"
#include "platform/qt/QtSettingsStore.h"
#include "tests/app/TestWindow.h"

using tarnvik::app::ResultGrid;
using tarnvik::app::TfmTarnvik;
using tarnvik::app::UpDownButton;
using tarnvik::platform::QtSettingsStore;

namespace {

// The file names (column 1) of the lower grid, as the view shows them.
QStringList LowerNames(TfmTarnvik& w) {
  QStringList names;
  for (int r = 0; r < w.StGSelFil->model()->rowCount(); ++r) {
    names << w.StGSelFil->model()->index(r, 0).data().toString();
  }
  return names;
}

}  // namespace

// Stands in for the desktop: takes the paths the window asks it to open,
// and opens none of them when told to fail.
class FakeDesktop final : public tarnvik::platform::Launcher {
 public:
  QStringList* paths;
  bool* fails;
  FakeDesktop(QStringList* p, bool* f) : paths(p), fails(f) {}
  bool OpenDocument(const std::string& nativePath) override {
    if (*fails) return false;
    *paths << QFile::decodeName(QByteArray::fromStdString(nativePath));
    return true;
  }
};

class TfmTarnvikCommandsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<QtSettingsStore> store_;
  std::unique_ptr<TfmTarnvik> w_;
  QStringList opened_;
  bool desktopFails_ = false;
  QStringList messages_;

  QString Path(const QString& rel) const { return dir_->filePath(rel); }

  // Slot 0 on the tree, slot 1 on another folder; then one search.
  void OpenAndSearch() {
    QSettings s(Path("config/Tarnvik.conf"), QSettings::IniFormat);
    s.setValue("SrchFrom0", Path("tree"));
    s.setValue("SrchFrom1", Path("other"));
    s.sync();
    store_ = std::make_unique<QtSettingsStore>(Path("config/Tarnvik.conf"));
    w_ = std::make_unique<tarnvik::testing::TestWindow>(
        *store_, std::make_unique<FakeDesktop>(&opened_, &desktopFails_));
    w_->SetMessageSink([this](const QString& m) { messages_ << m; });
    w_->show();
    w_->BtnSearchClick();
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    qputenv("XDG_CACHE_HOME", Path("cache").toUtf8());
    // Upper table after the search, in name order:
    //   a.txt x | a.txt y Same | a.txt z Name | b.txt | plan ﾚﾎﾟｰﾄ.xls | レポート.xls |
    //   report 1.doc
    MakeFile(Path("tree/x/a.txt"), 5);
    MakeFile(Path("tree/y/a.txt"), 5);
    MakeFile(Path("tree/z/a.txt"), 6);
    MakeFile(Path("tree/b.txt"), 1);
    MakeFile(Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls"), 1);
    MakeFile(Path("tree/レポート.xls"), 1);
    MakeFile(Path("tree/report 1.doc"), 1);
    MakeFile(Path("tree/photo.png"), 1);
    QDir().mkpath(Path("other"));
    messages_.clear();
    opened_.clear();
    desktopFails_ = false;
    OpenAndSearch();
  }

  void cleanup() {
    w_.reset();
    store_.reset();
    dir_.reset();
  }

  void viewsShowGroupsWithTheirHeads() {
    QCOMPARE(w_->STxSelCnt->text(), QString());
    w_->BtnEqSameClick();
    QCOMPARE(LowerNames(*w_), (QStringList{"a.txt", "a.txt"}));
    QCOMPARE(w_->StGSelFil->model()->index(1, 4).data().toString(), QStringLiteral("Same"));
    // The copied rows keep the upper table's numbers.
    QCOMPARE(w_->StGSelFil->model()->headerData(1, Qt::Vertical).toString(),
             QStringLiteral("   2"));
    QCOMPARE(w_->STxSelCnt->text(), QStringLiteral("2"));
    QVERIFY(w_->BtnXlsCv2->isEnabled());

    // The "Name" row follows a "Same" row: no head is added.
    w_->BtnEqNameClick();
    QCOMPARE(LowerNames(*w_), (QStringList{"a.txt"}));
    QCOMPARE(w_->StGSelFil->model()->index(0, 1).data().toString(), QStringLiteral("z"));
    QCOMPARE(w_->STxSelCnt->text(), QStringLiteral("1"));
  }

  void filterFoldsKanaWidthCaseAndSpaces_data() {
    QTest::addColumn<QString>("k1");
    QTest::addColumn<QString>("connective");
    QTest::addColumn<QString>("k2");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("count");
    QTest::newRow("hiragana") << "れぽーと"
                              << "and"
                              << "" << QStringList{"plan ﾚﾎﾟｰﾄ.xls", "レポート.xls"} << "2";
    QTest::newRow("and") << "ﾚﾎﾟｰﾄ"
                         << "and"
                         << "ＰＬＡＮ" << QStringList{"plan ﾚﾎﾟｰﾄ.xls"} << "1";
    QTest::newRow("or") << "b.txt"
                        << "or "
                        << "report1" << QStringList{"b.txt", "report 1.doc"} << "2";
    QTest::newRow("typed connective ignores k2") << "b.txt"
                                                 << "xx"
                                                 << "report" << QStringList{"b.txt"} << "1";
    QTest::newRow("nothing") << "zzz"
                             << "and"
                             << "" << QStringList{""} << "0";
  }

  void filterFoldsKanaWidthCaseAndSpaces() {
    QFETCH(QString, k1);
    QFETCH(QString, connective);
    QFETCH(QString, k2);
    QFETCH(QStringList, names);
    QFETCH(QString, count);
    w_->EdSelStr1->setText(k1);
    w_->CmbAndOr->setEditText(connective);
    w_->EdSelStr2->setText(k2);
    w_->BtnShSameClick();
    QCOMPARE(LowerNames(*w_), names);
    QCOMPARE(w_->STxSelCnt->text(), count);
    QVERIFY(w_->BtnXlsCv2->isEnabled());
  }

  void blankFirstKeywordChangesNothing() {
    w_->BtnEqSameClick();
    w_->BtnXlsCv2->setEnabled(false);
    w_->StGSelFil->setCurrentIndex(w_->StGSelFil->model()->index(1, 0));
    QSignalSpy resets(&w_->StGSelFil->Model(), &QAbstractItemModel::modelReset);
    w_->EdSelStr1->setText(QStringLiteral("  "));
    w_->BtnShSameClick();
    QCOMPARE(LowerNames(*w_), (QStringList{"a.txt", "a.txt"}));
    QCOMPARE(w_->STxSelCnt->text(), QStringLiteral("2"));
    QVERIFY(!w_->BtnXlsCv2->isEnabled());
    // The lower grid is not even rebuilt: its selected row stays selected.
    QCOMPARE(resets.count(), 0);
    QCOMPARE(w_->StGSelFil->CurrentTableRow(), 2);
    QCOMPARE(w_->PickedRow, 2);
  }

  void connectiveFollowsTheComboText() {
    const QStringList texts{"and", "or ", "or", "AND", ""};
    const int expected[] = {0, 1, -1, -1, -1};
    for (int i = 0; i < texts.size(); ++i) {
      w_->CmbAndOr->setEditText(texts[i]);
      QCOMPARE(w_->ConnectiveIndex(), expected[i]);
    }
  }

  void doubleClickOpensTheSelectedRowsFile() {
    // Row 6 of the upper table: "plan ﾚﾎﾟｰﾄ.xls" in "sub dir".
    const QModelIndex cell = w_->StGSrchFl->model()->index(5, 0);
    QCOMPARE(cell.data().toString(), QStringLiteral("plan ﾚﾎﾟｰﾄ.xls"));
    w_->StGSrchFl->setCurrentIndex(cell);
    QCOMPARE(w_->FoundRow, 6);
    emit w_->StGSrchFl->RowOpened();
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_[0], Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls"));
    QVERIFY(messages_.isEmpty());

    // Enter on the current row does the same.
    QTest::keyClick(w_->StGSrchFl, Qt::Key_Return);
    QCOMPARE(opened_.size(), 2);

    // An extension without a program: the message, nothing opened.
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(4, 0));
    QCOMPARE(w_->StGSrchFl->model()->index(4, 0).data().toString(), QStringLiteral("photo.png"));
    emit w_->StGSrchFl->RowOpened();
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(messages_,
             QStringList{QStringLiteral("選択したレポートの起動プログラムは、未設定です！！")});
  }

  // The rows of both tables belong to the root that was searched: switching
  // the slot afterwards must not point them at the files of another folder.
  void rowsOpenUnderTheRootTheyWereFoundIn() {
    MakeFile(Path("other/b.txt"), 1);
    MakeFile(Path("other/y/a.txt"), 1);
    w_->UpDnFmPathClick(UpDownButton::Up);
    QCOMPARE(w_->RcEdFmPath->toPlainText(), Path("other"));
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(3, 0));
    emit w_->StGSrchFl->RowOpened();
    // The lower table is filled from the upper one after the switch.
    w_->BtnEqSameClick();
    w_->StGSelFil->setCurrentIndex(w_->StGSelFil->model()->index(1, 0));
    emit w_->StGSelFil->RowOpened();
    QCOMPARE(opened_, (QStringList{Path("tree/b.txt"), Path("tree/y/a.txt")}));

    // A new search on the shown slot moves both tables to its root.
    w_->BtnSearchClick();
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(0, 0));
    emit w_->StGSrchFl->RowOpened();
    QCOMPARE(opened_.last(), Path("other/y/a.txt"));
    QVERIFY(messages_.isEmpty());
  }

  void lowerTableOpensWithItsOwnSelection() {
    w_->BtnEqSameClick();
    w_->StGSelFil->setCurrentIndex(w_->StGSelFil->model()->index(1, 0));
    QCOMPARE(w_->PickedRow, 2);
    emit w_->StGSelFil->RowOpened();
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_[0], Path("tree/y/a.txt"));

    // A real double-click: the press selects the row, the double-click opens it.
    const QRect first = w_->StGSelFil->visualRect(w_->StGSelFil->model()->index(0, 0));
    QTest::mouseDClick(w_->StGSelFil->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(w_->PickedRow, 1);
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(opened_[1], Path("tree/x/a.txt"));
  }

  void exportWritesAWorkbookAndOpensIt() {
    w_->BtnXlsCnvClick();
    QVERIFY(messages_.isEmpty());
    QCOMPARE(opened_.size(), 1);
    const QString book = opened_[0];
    QVERIFY2(book.startsWith(Path("cache/tarnvik/")), qPrintable(book));
    QVERIFY(book.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(QFileInfo(book).size() > 0);

    w_->BtnEqSameClick();
    w_->BtnXlsCv2Click();
    QCOMPARE(opened_.size(), 2);
    QVERIFY(opened_[1] != book);
  }

  void exportFailureShowsTheMessage() {
    // A file where the cache folder should be: nothing can be saved.
    QFile blocker(Path("cache"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w_->BtnXlsCnvClick();
    QCOMPARE(messages_, QStringList{QStringLiteral("Ｅｘｃｅｌ変換処理に失敗しました！！")});
    QVERIFY(opened_.isEmpty());
  }

  // The desktop has no program for the row's file or the workbook: the user
  // is told which file, and a saved workbook is not a failed export.
  void whatTheDesktopCannotOpenIsNamed() {
    desktopFails_ = true;
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(5, 0));
    emit w_->StGSrchFl->RowOpened();
    QCOMPARE(messages_, QStringList{QStringLiteral("ファイルを開けませんでした！！\n") +
                                    Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls")});

    messages_.clear();
    w_->BtnXlsCnvClick();
    QCOMPARE(messages_.size(), 1);
    const QString prefix =
        QStringLiteral("Ｅｘｃｅｌファイルは保存しましたが、開けませんでした！！\n");
    QVERIFY2(messages_[0].startsWith(prefix + Path("cache/tarnvik/")), qPrintable(messages_[0]));
    const QString book = messages_[0].mid(prefix.size());
    QVERIFY(book.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(QFileInfo(book).isFile() && QFileInfo(book).size() > 0);
  }
};

QTEST_MAIN(TfmTarnvikCommandsTest)
#include "TfmTarnvikCommands_test.moc"
