// The window's commands on a search result: duplicate views, keyword filter,
// opening a row's file, and export to a workbook.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "TreeFixture.h"
#include "app/GridMenu.h"
#include "app/RadioGroup.h"
#include "app/RowDrag.h"
#include "app/RowFile.h"
#include "app/pgTarnvik.h"
#include "platform/FileManager.h"
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
  std::vector<std::string>* bytes;
  FakeDesktop(QStringList* p, bool* f, std::vector<std::string>* b = nullptr)
      : paths(p), fails(f), bytes(b) {}
  // The pointer's shape while the last document was opened; -1 for none.
  static inline int cursorAtOpen = -1;
  bool OpenDocument(const std::string& nativePath) override {
    const QCursor* cursor = QApplication::overrideCursor();
    cursorAtOpen = cursor != nullptr ? cursor->shape() : -1;
    if (*fails) return false;
    if (bytes != nullptr) bytes->push_back(nativePath);
    *paths << QFile::decodeName(QByteArray::fromStdString(nativePath));
    return true;
  }
};

// Stands in for the desktop's file manager: takes the files it is asked to
// show, while it is offered.
class FakeFileManager final : public tarnvik::platform::FileManager {
 public:
  std::vector<std::string>* items;
  bool* offered;
  FakeFileManager(std::vector<std::string>* i, bool* o) : items(i), offered(o) {}
  bool ShowItem(const std::string& nativePath) override {
    if (!*offered) return false;
    items->push_back(nativePath);
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
  std::vector<std::string> shown_;
  std::vector<std::string> openedBytes_;
  bool fileManagerOffered_ = true;

  QString Path(const QString& rel) const { return dir_->filePath(rel); }

  // Slot 0 on the tree, slot 1 on another folder; then one search.
  void OpenAndSearch() {
    QSettings s(Path("config/Tarnvik.conf"), QSettings::IniFormat);
    s.setValue("SrchFrom0", Path("tree"));
    s.setValue("SrchFrom1", Path("other"));
    s.sync();
    store_ = std::make_unique<QtSettingsStore>(Path("config/Tarnvik.conf"));
    w_ = std::make_unique<tarnvik::testing::TestWindow>(
        *store_, std::make_unique<FakeDesktop>(&opened_, &desktopFails_, &openedBytes_),
        std::make_unique<FakeFileManager>(&shown_, &fileManagerOffered_));
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
    shown_.clear();
    openedBytes_.clear();
    fileManagerOffered_ = true;
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

  // Enter on a focused button presses it, as Space does; the number pad's
  // Enter too, but not with another modifier, and a held key only once.
  void enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    for (const char* name : {"BtnFmPath", "BtnSearch", "BtnXlsCnv", "BtnEqName", "BtnEqSame",
                             "BtnXlsCv2", "BtnPrgEnd", "BtnShSame"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }

  void enterPressesTheFocusedButton() {
    QFETCH(QString, button);
    auto* b = w_->findChild<QPushButton*>(button);
    QVERIFY(b != nullptr);
    // Only the press is looked at here, not the command behind it.
    b->disconnect(w_.get());
    b->setEnabled(true);
    QSignalSpy clicks(b, &QPushButton::clicked);
    QTest::keyClick(b, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks.count(), 2);
    QTest::keyClick(b, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(b, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(clicks.count(), 2);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(b, &held);
    QCOMPARE(clicks.count(), 2);
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(clicks.count(), 3);
  }

  // Enter in either keyword box, or in the connective's field, runs the
  // lower search, but only when its button is on.
  void enterInAKeywordBoxRunsTheLowerSearch_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("first keyword") << QStringLiteral("EdSelStr1");
    QTest::newRow("connective") << QStringLiteral("CmbAndOr");
    QTest::newRow("second keyword") << QStringLiteral("EdSelStr2");
  }

  void enterInAKeywordBoxRunsTheLowerSearch() {
    QFETCH(QString, field);
    QWidget* box = field == "CmbAndOr" ? w_->CmbAndOr->lineEdit()
                                       : static_cast<QWidget*>(w_->findChild<QLineEdit*>(field));
    QVERIFY(box != nullptr);
    w_->EdSelStr1->setText(QStringLiteral("b.txt"));
    w_->CmbAndOr->setEditText(QStringLiteral("or "));
    w_->EdSelStr2->setText(QStringLiteral("report"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(LowerNames(*w_), (QStringList{"b.txt", "report 1.doc"}));
    QCOMPARE(w_->STxSelCnt->text(), QStringLiteral("2"));
    // The typed text is left as it was.
    QCOMPARE(w_->CmbAndOr->currentText(), QStringLiteral("or "));

    w_->EdSelStr2->setText(QStringLiteral("plan"));
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(LowerNames(*w_), (QStringList{"b.txt", "plan ﾚﾎﾟｰﾄ.xls"}));

    // With the button off (as before the first search) Enter does nothing.
    w_->BtnShSame->setEnabled(false);
    w_->EdSelStr1->setText(QStringLiteral("a.txt"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(LowerNames(*w_), (QStringList{"b.txt", "plan ﾚﾎﾟｰﾄ.xls"}));
  }

  // The menu of either grid, on the row a right click lands on (which it
  // selects), or on the selected row from the Menu key or Shift+F10.
  void contextMenuOpensOnTheRow_data() {
    QTest::addColumn<bool>("lower");
    QTest::newRow("upper grid") << false;
    QTest::newRow("lower grid") << true;
  }

  void contextMenuOpensOnTheRow() {
    QFETCH(bool, lower);
    if (lower) w_->BtnEqSameClick();
    ResultGrid* grid = lower ? w_->StGSelFil : w_->StGSrchFl;
    tarnvik::app::GridMenu* menu = lower ? w_->StGSelFilMenu() : w_->StGSrchFlMenu();
    int& selected = lower ? w_->PickedRow : w_->FoundRow;
    QVERIFY(menu != nullptr);
    QStringList labels;
    for (QAction* a : menu->actions()) labels << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(labels, (QStringList{"開く", "既定のプログラムで開く", "フォルダーを開く", "-",
                                  "フルパスをコピー", "ファイル名をコピー"}));
    QCOMPARE(menu->defaultAction(), menu->OpenAction);

    // Nothing selected yet: no menu.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                          grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &key);
    QVERIFY(!menu->isVisible());

    const QRect second = grid->visualRect(grid->model()->index(1, 0));
    QContextMenuEvent right(QContextMenuEvent::Mouse, second.center(),
                            grid->viewport()->mapToGlobal(second.center()));
    QApplication::sendEvent(grid->viewport(), &right);
    QCOMPARE(selected, 2);
    QCOMPARE(grid->CurrentTableRow(), 2);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->CopyPathAction->isEnabled());
    menu->close();

    // Beside the rows the selected row stays the menu's.
    const QPoint below(40, grid->viewport()->height() - 3);
    QContextMenuEvent beside(QContextMenuEvent::Mouse, below, grid->viewport()->mapToGlobal(below));
    QApplication::sendEvent(grid->viewport(), &beside);
    QCOMPARE(selected, 2);
    QTRY_VERIFY(menu->isVisible());
    menu->close();

    QApplication::sendEvent(grid, &key);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QVERIFY(messages_.isEmpty());
    QVERIFY(opened_.isEmpty());
  }

  // Each action on the selected row: opening as a double-click does, with
  // the desktop's program for any kind, the file shown in its folder, and
  // the path and name on the clipboard.
  void contextMenuActionsWorkOnTheSelectedRow() {
    tarnvik::app::GridMenu* menu = w_->StGSrchFlMenu();
    // Row 5 of the upper table: photo.png, a kind the launch table lacks.
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(4, 0));
    QCOMPARE(w_->FoundRow, 5);
    menu->OpenAction->trigger();
    QCOMPARE(messages_,
             QStringList{QStringLiteral("選択したレポートの起動プログラムは、未設定です！！")});
    QVERIFY(opened_.isEmpty());
    messages_.clear();

    menu->OpenWithDefaultAction->trigger();
    QCOMPARE(opened_, QStringList{Path("tree/photo.png")});

    menu->ShowInFolderAction->trigger();
    QCOMPARE(shown_.size(), size_t{1});
    QCOMPARE(QFile::decodeName(QByteArray::fromStdString(shown_[0])), Path("tree/photo.png"));
    // No file manager that shows files: the folder is opened instead.
    fileManagerOffered_ = false;
    menu->ShowInFolderAction->trigger();
    QCOMPARE(opened_.last(), Path("tree"));
    QVERIFY(messages_.isEmpty());

    menu->CopyPathAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), Path("tree/photo.png"));
    menu->CopyNameAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("photo.png"));

    // A row in a folder, in the lower table, under the root it was found in.
    w_->UpDnFmPathClick(UpDownButton::Up);
    w_->EdSelStr1->setText(QStringLiteral("plan"));
    w_->BtnShSameClick();
    w_->StGSelFil->setCurrentIndex(w_->StGSelFil->model()->index(0, 0));
    w_->StGSelFilMenu()->CopyPathAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls"));
    w_->StGSelFilMenu()->OpenAction->trigger();
    QCOMPARE(opened_.last(), Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls"));

    // What the desktop cannot open or show is named.
    desktopFails_ = true;
    w_->StGSelFilMenu()->OpenWithDefaultAction->trigger();
    w_->StGSelFilMenu()->ShowInFolderAction->trigger();
    const QString path = Path("tree/sub dir/plan ﾚﾎﾟｰﾄ.xls");
    QCOMPARE(messages_, (QStringList{QStringLiteral("ファイルを開けませんでした！！\n") + path,
                                     QStringLiteral("フォルダーを開けませんでした！！\n") + path}));
  }

  // A blank row (an empty result) offers only the opening a double-click
  // gives, and the file actions do nothing.
  void blankRowOffersNoFileActions() {
    w_->EdSelStr1->setText(QStringLiteral("zzz"));
    w_->BtnShSameClick();
    w_->StGSelFil->setCurrentIndex(w_->StGSelFil->model()->index(0, 0));
    tarnvik::app::GridMenu* menu = w_->StGSelFilMenu();
    menu->UpdateActions();
    QVERIFY(menu->OpenAction->isEnabled());
    for (QAction* a : {menu->OpenWithDefaultAction, menu->ShowInFolderAction, menu->CopyPathAction,
                       menu->CopyNameAction}) {
      QVERIFY(!a->isEnabled());
    }
    QApplication::clipboard()->setText(QStringLiteral("before"));
    menu->CopyNameAction->trigger();
    menu->ShowInFolderAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(shown_.empty());
    QVERIFY(opened_.isEmpty());
  }

  // Names that are not UTF-8: the file manager, the launcher and a drag get
  // the exact bytes; the clipboard gets the shown text, each such byte as
  // U+FFFD.
  void namesThatAreNotUtf8KeepTheirBytes() {
    const std::string dir = QFile::encodeName(Path("tree")).toStdString() + "/caf\xE9 d";
    QVERIFY(mkdir(dir.c_str(), 0755) == 0);
    const std::string path = dir + "/r\xFF%20.pdf";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0);
    close(fd);
    w_->BtnSearchClick();
    int row = -1;
    const auto& table = w_->StGSrchFl->Table();
    for (int r = 1; r < table.RowCount(); ++r) {
      if (table.Cell(1, r).size() == 9 && table.Cell(1, r)[1] == 0xDCFF) row = r;
    }
    QVERIFY(row > 0);
    w_->StGSrchFl->SetCurrentTableRow(row);
    QCOMPARE(w_->FoundRow, row);
    tarnvik::app::GridMenu* menu = w_->StGSrchFlMenu();
    menu->ShowInFolderAction->trigger();
    QCOMPARE(shown_, std::vector<std::string>{path});
    menu->OpenWithDefaultAction->trigger();
    QCOMPARE(openedBytes_.back(), path);
    menu->CopyNameAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("r\uFFFD%20.pdf"));
    menu->CopyPathAction->trigger();
    QCOMPARE(QApplication::clipboard()->text(), Path("tree/caf\uFFFD d/r\uFFFD%20.pdf"));

    // A drag carries the file's URI: every byte but the unreserved ones
    // percent-encoded, the "%" of the name included.
    const tarnvik::app::RowFile file =
        tarnvik::app::FileOfRow(*w_->StGSrchFl, row, Path("tree").toStdU16String(), u'/');
    QCOMPARE(file.path, path);
    std::unique_ptr<QMimeData> data(tarnvik::app::FileMimeData(file.path));
    const QByteArray tree = QFile::encodeName(Path("tree")).toPercentEncoding("/");
    QCOMPARE(data->data(QStringLiteral("text/uri-list")),
             "file://" + tree + "/caf%E9%20d/r%FF%2520.pdf\r\n");
    QCOMPARE(data->urls().size(), 1);
    // QTemporaryDir cannot remove names it cannot decode.
    QVERIFY(unlink(path.c_str()) == 0);
    QVERIFY(rmdir(dir.c_str()) == 0);
  }

  // Every command that works on the tables shows the wait cursor while it
  // runs, and puts the pointer back when it ends, an early end included.
  void busyCursorWhileACommandRuns_data() {
    QTest::addColumn<QString>("command");
    for (const char* c : {"search", "sort", "name view", "same view", "filter", "blank filter",
                          "export upper", "export lower"}) {
      QTest::newRow(c) << QString::fromLatin1(c);
    }
  }

  void busyCursorWhileACommandRuns() {
    QFETCH(QString, command);
    w_->BtnEqSameClick();
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QList<int> seen;
    const auto look = [&seen] {
      const QCursor* c = QApplication::overrideCursor();
      seen << (c != nullptr ? c->shape() : -1);
    };
    for (ResultGrid* g : {w_->StGSrchFl, w_->StGSelFil}) {
      connect(&g->Model(), &QAbstractItemModel::modelAboutToBeReset, this, look);
      connect(&g->Model(), &QAbstractItemModel::layoutAboutToBeChanged, this, look);
    }
    FakeDesktop::cursorAtOpen = -2;
    w_->EdSelStr1->setText(command == "blank filter" ? QStringLiteral(" ") : QStringLiteral("a"));
    if (command == "search") w_->BtnSearchClick();
    if (command == "sort") w_->RdGSortKbn->SetItemIndex(1);
    if (command == "name view") w_->BtnEqNameClick();
    if (command == "same view") w_->BtnEqSameClick();
    if (command.endsWith("filter")) w_->BtnShSameClick();
    if (command == "export upper") w_->BtnXlsCnvClick();
    if (command == "export lower") w_->BtnXlsCv2Click();
    if (command.startsWith("export")) seen << FakeDesktop::cursorAtOpen;
    if (command != "blank filter") {
      QVERIFY(!seen.isEmpty());
      for (int shape : seen) QCOMPARE(shape, int(Qt::WaitCursor));
    }
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  // A message box in the middle of a command gets the ordinary pointer.
  void messagesShowTheOrdinaryCursor() {
    int shape = -1;
    w_->SetMessageSink([&shape](const QString&) {
      const QCursor* c = QApplication::overrideCursor();
      shape = c != nullptr ? c->shape() : -1;
    });
    w_->StGSrchFl->setCurrentIndex(w_->StGSrchFl->model()->index(4, 0));
    emit w_->StGSrchFl->RowOpened();
    QCOMPARE(shape, int(Qt::ArrowCursor));
    QVERIFY(QApplication::overrideCursor() == nullptr);
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
