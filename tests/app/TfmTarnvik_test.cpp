#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "OffscreenScreen.h"
#include "TreeFixture.h"
#include "app/RadioGroup.h"
#include "app/WindowFonts.h"
#include "app/pgTarnvik.h"
#include "platform/qt/QtSettingsStore.h"
#include "tests/app/TestWindow.h"
#include "windows/pgFmAnimate.h"
#include "windows/pgFmFolderSel.h"

using tarnvik::app::ResultGrid;
using tarnvik::app::TfmTarnvik;
using tarnvik::app::UpDownButton;
using tarnvik::platform::QtSettingsStore;

namespace {

QString Str(const std::u16string& s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

QString TimeText(qint64 secs) {
  return QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
}

// Cells of the upper grid as the view reads them: number, then columns.
QStringList RowTexts(ResultGrid* grid, int row) {
  QStringList out{grid->model()->headerData(row, Qt::Vertical).toString()};
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    out << grid->model()->index(row, c).data().toString();
  }
  return out;
}

struct Buttons {
  bool search, xlsCnv, eqName, eqSame, shSame, xlsCv2;
};

void CheckButtons(TfmTarnvik& w, Buttons b) {
  QCOMPARE(w.BtnSearch->isEnabled(), b.search);
  QCOMPARE(w.BtnXlsCnv->isEnabled(), b.xlsCnv);
  QCOMPARE(w.BtnEqName->isEnabled(), b.eqName);
  QCOMPARE(w.BtnEqSame->isEnabled(), b.eqSame);
  QCOMPARE(w.BtnShSame->isEnabled(), b.shSame);
  QCOMPARE(w.BtnXlsCv2->isEnabled(), b.xlsCv2);
  for (QWidget* always : std::initializer_list<QWidget*>{w.BtnFmPath, w.BtnPrgEnd, w.UpDnFmPath,
                                                         w.RdGSortKbn, w.StGSrchFl, w.StGSelFil}) {
    QVERIFY2(always->isEnabled(), qPrintable(always->objectName()));
  }
}

using Values = QList<QPair<QString, QVariant>>;

// The screen the window tests run on.
constexpr QSize kScreen{1280, 800};

}  // namespace

class TfmTarnvikTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<QtSettingsStore> store_;
  QString settingsPath_;

  QString Path(const QString& rel) const { return dir_->filePath(rel); }

  // A settings file holding `values`; none when `values` is empty.
  void WriteSettings(const Values& values) {
    QSettings s(settingsPath_, QSettings::IniFormat);
    for (const auto& [name, value] : values) s.setValue(name, value);
    s.sync();
  }

  std::unique_ptr<TfmTarnvik> Open(const Values& values = {}) {
    if (!values.isEmpty()) WriteSettings(values);
    store_ = std::make_unique<QtSettingsStore>(settingsPath_);
    auto w = std::make_unique<tarnvik::testing::TestWindow>(*store_);
    w->show();
    return w;
  }

  // Points slot 0 at `root` through the saved settings and opens the window.
  std::unique_ptr<TfmTarnvik> OpenOn(const QString& root) {
    return Open({{QStringLiteral("SrchFrom0"), root}});
  }

  // The tree most cases search: equal names in three folders (a copy and a
  // namesake of other size), a Japanese name, a half-width kana name two
  // levels down, and a thumbnail cache that is never listed.
  QString MakeSearchTree() {
    const QString root = Path(QStringLiteral("tree"));
    MakeFile(root + "/a.txt", 12);
    MakeFile(root + "/x/a.txt", 12);
    MakeFile(root + "/y/a.txt", 13);
    MakeFile(root + "/報告書.xlsx", 5, kStamp + 3600);
    MakeFile(root + "/y/z/ｶﾅ.txt", 7);
    MakeFile(root + "/Thumbs.db", 3);
    return root;
  }

 private slots:
  void initTestCase() { tarnvik::app::InstallJapaneseFonts(); }

  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    settingsPath_ = dir_->filePath(QStringLiteral("config/Tarnvik/Tarnvik.conf"));
  }

  void cleanup() {
    store_.reset();
    dir_.reset();
  }

  void controlsSitAtTheirDesignPlaces_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("rect");
    const auto row = [](const char* name, const char* kind, const char* caption, QRect r) {
      QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromUtf8(caption) << r;
    };
    row("STxFmData", "QLabel", "検索元", {10, 12, 73, 21});
    row("RcEdFmPath", "QPlainTextEdit", "", {86, 2, 356, 44});
    row("UpDnFmPath", "tarnvik::app::UpDownArrows", "", {446, 4, 16, 40});
    row("EdPathCn", "QLineEdit", "0", {466, 10, 16, 27});
    row("BtnFmPath", "QPushButton", "参 照", {486, 11, 56, 25});
    row("RdGSortKbn", "QGroupBox", "ｿｰﾄ順", {552, 2, 155, 41});
    row("LblDatCnt", "QLabel", "検索数", {18, 58, -1, -1});
    row("STxDatCnt", "QLabel", "", {72, 56, 57, 20});
    row("LblFolder", "QLabel", "ﾌｫﾙﾀﾞｰ数", {141, 58, -1, -1});
    row("STxFolder", "QLabel", "", {211, 56, 57, 20});
    row("LblEqual", "QLabel", "同一数", {281, 58, -1, -1});
    row("STxEqual", "QLabel", "", {335, 56, 57, 20});
    row("BtnSearch", "QPushButton", "検 索", {424, 52, 56, 25});
    row("BtnXlsCnv", "QPushButton", "Excel", {600, 53, 58, 25});
    row("StGSrchFl", "QTableView", "", {4, 84, 712, 222});
    row("BtnEqName", "QPushButton", "同一名称 表示", {92, 312, 124, 25});
    row("BtnEqSame", "QPushButton", "同一内容 表示", {241, 312, 124, 25});
    row("BtnXlsCv2", "QPushButton", "Excel", {570, 318, 58, 25});
    row("BtnPrgEnd", "QPushButton", "終 了", {644, 318, 56, 25});
    row("STxSelStr", "QLabel", "検索文字", {10, 348, 77, 20});
    row("EdSelStr1", "QLineEdit", "", {92, 346, 169, 24});
    row("CmbAndOr", "QComboBox", "and", {266, 346, 49, 24});
    row("EdSelStr2", "QLineEdit", "", {320, 346, 169, 24});
    row("BtnShSame", "QPushButton", "検 索", {494, 346, 58, 25});
    row("LblSelCnt", "QLabel", "一致数", {590, 356, -1, -1});
    row("STxSelCnt", "QLabel", "", {644, 354, 57, 20});
    row("StGSelFil", "QTableView", "", {4, 378, 712, 198});
  }

  void controlsSitAtTheirDesignPlaces() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, rect);
    auto w = Open();
    auto* c = w->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(c != nullptr);
    QCOMPARE(c->parentWidget(), w.get());
    QVERIFY2(c->inherits(kind.toLatin1().constData()), c->metaObject()->className());
    if (rect.width() < 0) {
      QCOMPARE(c->pos(), rect.topLeft());
      QVERIFY(c->width() >= QFontMetrics(c->font()).horizontalAdvance(caption));
    } else {
      QCOMPARE(c->geometry(), rect);
    }
    QString shown;
    if (auto* b = qobject_cast<QAbstractButton*>(c)) shown = b->text();
    if (auto* l = qobject_cast<QLabel*>(c)) shown = l->text();
    if (auto* e = qobject_cast<QLineEdit*>(c)) shown = e->text();
    if (auto* g = qobject_cast<QGroupBox*>(c)) shown = g->title();
    if (auto* cb = qobject_cast<QComboBox*>(c)) shown = cb->currentText();
    if (!caption.isEmpty()) QCOMPARE(shown, caption);
  }

  void windowHasItsDesignLook() {
    auto w = Open();
    QCOMPARE(
        w->windowTitle(),
        QStringLiteral("ファイルの検索＆プログラム起動ツール Ver.2.0  【縦可変】 [Tarnvik.exe]"));
    QCOMPARE(w->size(), QSize(720, 582));
    QCOMPARE(w->minimumWidth(), 720);
    QCOMPARE(w->maximumWidth(), 720);
    QCOMPARE(w->minimumHeight(), 400 - 39);
    QCOMPARE(w->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(w->font().pointSize(), 12);
    QCOMPARE(w->EdPathCn->font().pixelSize(), 19);
    QVERIFY(w->STxSelStr->font().bold());
    QCOMPARE(w->EdPathCn->palette().color(QPalette::Disabled, QPalette::Base),
             w->palette().color(QPalette::ToolTipBase));
    QVERIFY(!w->RcEdFmPath->isEnabled());
    QVERIFY(!w->EdPathCn->isEnabled());
    QCOMPARE(w->EdPathCn->maxLength(), 1);
    for (QLineEdit* e : {w->EdSelStr1, w->EdSelStr2}) {
      QCOMPARE(e->maxLength(), 20);
      QVERIFY(e->testAttribute(Qt::WA_InputMethodEnabled));
    }
    QVERIFY(w->CmbAndOr->isEditable());
    QCOMPARE(w->CmbAndOr->count(), 2);
    QCOMPARE(w->CmbAndOr->itemText(0), QStringLiteral("and"));
    QCOMPARE(w->CmbAndOr->itemText(1), QStringLiteral("or "));
    QCOMPARE(w->CmbAndOr->lineEdit()->maxLength(), 3);
    QCOMPARE(w->RdGSortKbn->Count(), 2);
    QCOMPARE(w->RdGSortKbn->Item(0)->text(), QStringLiteral("ﾌｧｲﾙ名"));
    QCOMPARE(w->RdGSortKbn->Item(1)->text(), QStringLiteral("拡張子"));
    QCOMPARE(w->RdGSortKbn->ItemIndex(), 0);
    for (QLabel* box : {w->STxDatCnt, w->STxFolder, w->STxEqual, w->STxSelCnt}) {
      QCOMPARE(box->palette().color(QPalette::Window), w->palette().color(QPalette::Base));
      QCOMPARE(box->alignment(), Qt::AlignCenter);
    }
    for (ResultGrid* g : {w->StGSrchFl, w->StGSelFil}) {
      QCOMPARE(g->verticalHeader()->defaultSectionSize(), 20);
      QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
      QCOMPARE(g->selectionMode(), QAbstractItemView::SingleSelection);
      QVERIFY(g->showGrid());
    }
  }

  void tablesUseAFixedPitchJapaneseGothic() {
    const QStringList standIns = tarnvik::app::GothicStandIns();
    if (standIns.isEmpty()) QSKIP("no Japanese Gothic font installed");
    auto w = Open();
    const QFont f = w->StGSrchFl->font();
    QVERIFY2(standIns.contains(QFontInfo(f).family()), qPrintable(QFontInfo(f).family()));
    // The column widths count half-width characters as one and full-width
    // ones as two.
    const QFontMetrics fm(f);
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("ア")),
             2 * fm.horizontalAdvance(QStringLiteral("ｱ")));
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("Ａ")),
             2 * fm.horizontalAdvance(QStringLiteral("A")));
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("i")), fm.horizontalAdvance(QStringLiteral("W")));
  }

  void tabOrderFollowsTheDesign() {
    auto w = Open();
    const QList<QWidget*> expected = {
        w->RcEdFmPath, w->UpDnFmPath, w->EdPathCn,  w->BtnFmPath, w->RdGSortKbn, w->BtnSearch,
        w->BtnXlsCnv,  w->BtnPrgEnd,  w->StGSrchFl, w->EdSelStr1, w->CmbAndOr,   w->EdSelStr2,
        w->BtnShSame,  w->StGSelFil,  w->BtnXlsCv2, w->BtnEqSame, w->BtnEqName};
    // Walk the focus chain once round and note each control (or the control
    // a focusable part belongs to) the first time it takes tab focus.
    QList<QWidget*> seen;
    QWidget* start = w->RcEdFmPath;
    QWidget* c = start;
    do {
      QWidget* control = c;
      while (control != nullptr && control->parentWidget() != w.get()) {
        control = control->parentWidget();
      }
      if (control != nullptr && (c->focusPolicy() & Qt::TabFocus) && !seen.contains(control)) {
        seen << control;
      }
      c = c->nextInFocusChain();
    } while (c != start && c != nullptr);
    QStringList names;
    for (QWidget* s : seen) names << s->objectName();
    QStringList want;
    for (QWidget* e : expected) want << e->objectName();
    QCOMPARE(names, want);
  }

  void tabKeyWalksTheControlsInOrder() {
    MakeFile(Path("tree/a.txt"), 1);
    auto w = OpenOn(Path("tree"));
    w->BtnSearchClick();
    w->BtnEqNameClick();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // The control of the window that a focused widget belongs to.
    const auto controlOf = [&w](QWidget* f) {
      while (f != nullptr && f->parentWidget() != w.get()) f = f->parentWidget();
      return f != nullptr ? f->objectName() : QStringLiteral("none");
    };
    const QStringList expected = {"UpDnFmPath", "BtnFmPath", "RdGSortKbn", "BtnSearch",
                                  "BtnXlsCnv",  "BtnPrgEnd", "StGSrchFl",  "EdSelStr1",
                                  "CmbAndOr",   "EdSelStr2", "BtnShSame",  "StGSelFil",
                                  "BtnXlsCv2",  "BtnEqSame", "BtnEqName",  "UpDnFmPath"};
    // With every command enabled, Tab visits each control once, the grids
    // and the combo box as one stop each, and Backtab walks back the same way.
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      w->UpDnFmPath->setFocus(Qt::TabFocusReason);
      QTRY_VERIFY(w->UpDnFmPath->hasFocus());
      QStringList visited{controlOf(QApplication::focusWidget())};
      for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        visited << controlOf(QApplication::focusWidget());
      }
      QStringList want = expected;
      if (key == Qt::Key_Backtab) std::reverse(want.begin(), want.end());
      QCOMPARE(visited, want);
    }
  }

  void anchoredControlsFollowTheEdges() {
    auto w = Open();
    w->resize(720, 682);
    QCOMPARE(w->StGSrchFl->geometry(), QRect(4, 84, 712, 322));
    QCOMPARE(w->StGSelFil->geometry(), QRect(4, 478, 712, 198));
    QCOMPARE(w->BtnPrgEnd->geometry(), QRect(644, 418, 56, 25));
    QCOMPARE(w->EdSelStr1->geometry(), QRect(92, 446, 169, 24));
    QCOMPARE(w->LblSelCnt->pos(), QPoint(590, 456));
    QCOMPARE(w->BtnSearch->geometry(), QRect(424, 52, 56, 25));
    QCOMPARE(w->BtnFmPath->geometry(), QRect(486, 11, 56, 25));
    // The width cannot be changed by the user.
    w->resize(900, 682);
    QCOMPARE(w->width(), 720);
    w->resize(720, 100);
    QCOMPARE(w->height(), 400 - 39);
  }

  void startUp_data() {
    QTest::addColumn<Values>("saved");
    QTest::addColumn<QStringList>("roots");  // "~" is the home folder, "@" the fixture
    QTest::addColumn<int>("clientHeight");
    QTest::newRow("first run") << Values{} << QStringList{"~", "~", "~", "~", "~"} << 582;
    QTest::newRow("saved settings")
        << Values{{"Height", 700},       {"Width", 900},     {"SrchFrom0", "@/a"},
                  {"SrchFrom1", "@/b/"}, {"SrchFrom2", "/"}, {"SrchFrom4", "@/日本語"}}
        << QStringList{"@/a", "@/b", "/", "~", "@/日本語"} << 661;
    QTest::newRow("missing and odd roots")
        << Values{{"Height", 500},    {"SrchFrom0", "@/gone"},
                  {"SrchFrom1", "a"}, {"SrchFrom2", "@/a/file.txt"},
                  {"SrchFrom3", ""},  {"SrchFrom4", "@/b"}}
        << QStringList{"~", "~", "~", "~", "@/b"} << 461;
    QTest::newRow("corrupt height")
        << Values{{"Height", "abc"}, {"Width", 736}, {"SrchFrom0", "@/a"}}
        << QStringList{"@/a", "~", "~", "~", "~"} << 582;
    QTest::newRow("corrupt width and absurd height")
        << Values{{"Height", 99999999}, {"Width", "7x6"}, {"SrchFrom3", "@/b"}}
        << QStringList{"~", "~", "~", "@/b", "~"} << 582;
    QTest::newRow("height below the limit") << Values{{"Height", 120}, {"SrchFrom0", "@/a"}}
                                            << QStringList{"@/a", "~", "~", "~", "~"} << 361;
  }

  void startUp() {
    QFETCH(Values, saved);
    QFETCH(QStringList, roots);
    QFETCH(int, clientHeight);
    QDir().mkpath(Path("a"));
    QDir().mkpath(Path("b"));
    QDir().mkpath(Path("日本語"));
    MakeFile(Path("a/file.txt"), 1);
    const QString fixture = dir_->path();
    for (auto& [name, value] : saved) {
      if (value.typeId() == QMetaType::QString) {
        value = value.toString().replace(QLatin1Char('@'), fixture);
      }
    }
    auto w = Open(saved);

    for (int i = 0; i < 5; ++i) {
      QString want = roots[i];
      if (want == QLatin1String("~")) want = QDir::homePath();
      want.replace(QLatin1Char('@'), fixture);
      QCOMPARE(Str(w->SearchRoots()[i]), want);
    }
    QCOMPARE(w->RootIndex(), 0);
    QCOMPARE(w->RcEdFmPath->toPlainText(), Str(w->SearchRoots()[0]));
    QCOMPARE(Str(w->ShownRoot()), Str(w->SearchRoots()[0]));
    QCOMPARE(w->EdPathCn->text(), QStringLiteral("0"));
    QCOMPARE(w->height(), clientHeight);
    QCOMPARE(w->width(), 720);
    CheckButtons(*w, {true, false, false, false, false, false});
    QVERIFY(w->EdSelStr1->text().isEmpty());
    QVERIFY(w->EdSelStr2->text().isEmpty());
    // The file-name layout is applied and the empty table numbered.
    for (ResultGrid* g : {w->StGSrchFl, w->StGSelFil}) {
      QCOMPARE(g->model()->columnCount(), 5);
      QCOMPARE(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File Name"));
      QCOMPARE(g->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Check"));
      QCOMPARE(g->columnWidth(0), 208);
      QCOMPARE(g->verticalHeader()->width(), 40);
    }
    QCOMPARE(w->StGSrchFl->model()->rowCount(), 1);
    QCOMPARE(RowTexts(w->StGSrchFl, 0), (QStringList{"   1", "", "", "", "", ""}));
    QCOMPARE(w->StGSelFil->model()->headerData(0, Qt::Vertical).toString(), QString());
    QCOMPARE(static_cast<int>(w->CurrentSortOrder()), 0);
    QVERIFY(w->ProgressWindow() == nullptr);
  }

  // A height saved on a taller screen: the window takes the screen's free
  // height at most and its top edge stays on the screen.
  void windowFitsTheScreen_data() {
    QTest::addColumn<int>("savedHeight");
    QTest::addColumn<int>("clientHeight");
    QTest::newRow("fits") << 700 << 661;
    QTest::newRow("exactly the screen") << kScreen.height() << kScreen.height() - 39;
    QTest::newRow("taller than the screen") << 1440 << kScreen.height() - 39;
    QTest::newRow("far taller") << 30000 << kScreen.height() - 39;
  }

  void windowFitsTheScreen() {
    QFETCH(int, savedHeight);
    QFETCH(int, clientHeight);
    auto w = Open({{"Height", savedHeight}});
    const QRect free = w->screen()->availableGeometry();
    QCOMPARE(free.size(), kScreen);
    QCOMPARE(w->height(), clientHeight);
    QVERIFY2(w->y() >= free.top(), qPrintable(QString::number(w->y())));
    QVERIFY(w->y() + w->height() + 39 <= free.bottom() + 1);
    QVERIFY(w->x() >= free.left());
  }

  void slotArrowsStopAtBothEnds() {
    QStringList roots;
    Values saved;
    for (int i = 0; i < 5; ++i) {
      roots << Path(QStringLiteral("slot%1").arg(i));
      QDir().mkpath(roots.last());
      saved << qMakePair(QStringLiteral("SrchFrom%1").arg(i), QVariant(roots.last()));
    }
    auto w = Open(saved);
    QSignalSpy clicks(w->UpDnFmPath, &tarnvik::app::UpDownArrows::Clicked);
    const auto press = [&](QToolButton* arrow, int expectSlot, int expectClicks) {
      QTest::mouseClick(arrow, Qt::LeftButton);
      QCOMPARE(w->RootIndex(), expectSlot);
      QCOMPARE(w->EdPathCn->text(), QString::number(expectSlot));
      QCOMPARE(w->RcEdFmPath->toPlainText(), roots[expectSlot]);
      QCOMPARE(clicks.count(), expectClicks);
    };
    for (int i = 1; i <= 4; ++i) press(w->UpDnFmPath->UpArrow(), i, i);
    press(w->UpDnFmPath->UpArrow(), 4, 4);
    for (int i = 3; i >= 0; --i) press(w->UpDnFmPath->DownArrow(), i, 4 + (4 - i));
    press(w->UpDnFmPath->DownArrow(), 0, 8);
    // The keyboard works the same way.
    w->UpDnFmPath->setFocus();
    QTest::keyClick(w->UpDnFmPath, Qt::Key_Up);
    QCOMPARE(w->RootIndex(), 1);
  }

  // The arrows cover the whole control, so the focus must be drawn over
  // them: a focused control looks different from an unfocused one.
  void slotArrowsShowTheirFocus() {
    auto w = Open();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->BtnFmPath->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w->BtnFmPath->hasFocus());
    const QImage unfocused = w->UpDnFmPath->grab().toImage();
    w->UpDnFmPath->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w->UpDnFmPath->hasFocus());
    const QImage focused = w->UpDnFmPath->grab().toImage();
    QVERIFY(focused != unfocused);
    // Clicks still reach the arrows through the frame.
    QTest::mouseClick(w->UpDnFmPath->UpArrow(), Qt::LeftButton);
    QCOMPARE(w->RootIndex(), 1);
    w->BtnFmPath->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!w->UpDnFmPath->hasFocus());
    QCOMPARE(w->UpDnFmPath->grab().toImage(), unfocused);
  }

  // The root box shows two lines of the path; a longer path can be read in
  // full as the box's tooltip, also where the disabled box passes the mouse
  // on to the window.
  void longRootShowsItselfAsATip() {
    const QString shortRoot = Path(QStringLiteral("s"));
    QString longRoot = Path(QStringLiteral("long"));
    for (int i = 0; i < 8; ++i) longRoot += QStringLiteral("/フォルダー名%1の長い部分").arg(i);
    QVERIFY(QDir().mkpath(shortRoot));
    QVERIFY(QDir().mkpath(longRoot));
    auto w =
        Open({{QStringLiteral("SrchFrom0"), shortRoot}, {QStringLiteral("SrchFrom1"), longRoot}});
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPoint inBox = w->RcEdFmPath->geometry().center();
    const auto tipAt = [&w](const QPoint& at) {
      QToolTip::hideText();
      if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("stuck");
      QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
      QApplication::sendEvent(w.get(), &help);
      return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(inBox), QString());
    w->UpDnFmPathClick(UpDownButton::Up);
    QCOMPARE(tipAt(inBox), longRoot);
    // Elsewhere on the window the path is no tip.
    QCOMPARE(tipAt(w->STxDatCnt->geometry().center()), QString());
    w->UpDnFmPathClick(UpDownButton::Down);
    QCOMPARE(tipAt(inBox), QString());
  }

  void searchListsSortsAndMarksTheTree() {
    const QString root = MakeSearchTree();
    auto w = OpenOn(root);
    QStringList messages;
    w->SetMessageSink([&](const QString& m) { messages << m; });

    // The lower table holds an earlier selection and its count.
    ResultGrid* lower = w->StGSelFil;
    lower->BeginResult();
    lower->Table().SetCell(1, 1, u"old.txt");
    lower->Table().SetCell(1, 2, u"older.txt");
    lower->Table().SetRowCount(3);
    lower->EndResult();
    w->ShowCount(tarnvik::base::CountBox::Selected, 2);

    QSignalSpy inserted(&w->StGSrchFl->Model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&w->StGSrchFl->Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&w->StGSrchFl->Model(), &QAbstractItemModel::modelReset);

    for (int pass = 0; pass < 2; ++pass) {
      QTest::mouseClick(w->BtnSearch, Qt::LeftButton);
      ResultGrid* upper = w->StGSrchFl;
      QCOMPARE(upper->model()->rowCount(), 5);
      const QString t = TimeText(kStamp);
      QCOMPARE(RowTexts(upper, 0), (QStringList{"   1", "a.txt", "", t, "    12", ""}));
      QCOMPARE(RowTexts(upper, 1), (QStringList{"   2", "a.txt", "x", t, "    12", "Same"}));
      QCOMPARE(RowTexts(upper, 2), (QStringList{"   3", "a.txt", "y", t, "    13", "Name"}));
      QCOMPARE(RowTexts(upper, 3),
               (QStringList{"   4", "報告書.xlsx", "", TimeText(kStamp + 3600), "     5", ""}));
      QCOMPARE(RowTexts(upper, 4), (QStringList{"   5", "ｶﾅ.txt", "y/z", t, "     7", ""}));
      QCOMPARE(w->STxDatCnt->text(), QStringLiteral("5"));
      QCOMPARE(w->STxFolder->text(), QStringLiteral("4"));
      QCOMPARE(w->STxEqual->text(), QStringLiteral("2"));
      QCOMPARE(w->Counters().FileCount, 5);
      QCOMPARE(w->Counters().FolderCount, 4);
      QCOMPARE(w->Counters().SameCount, 2);
      CheckButtons(*w, {true, true, true, true, true, false});
      QCOMPARE(lower->model()->rowCount(), 1);
      QCOMPARE(RowTexts(lower, 0), (QStringList{"", "", "", "", "", ""}));
      QCOMPARE(w->STxSelCnt->text(), QStringLiteral("2"));
      QVERIFY(w->ProgressWindow() == nullptr);
      QVERIFY(!w->IsBusy());
    }
    QVERIFY(messages.isEmpty());
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(resets.count() >= 2);
  }

  void sortSwitchResortsAndRemarks() {
    const QString root = MakeSearchTree();
    MakeFile(root + "/README", 4);
    MakeFile(root + "/b.ppt", 4);
    MakeFile(root + "/x/b.ppt", 4);
    auto w = OpenOn(root);
    QTest::mouseClick(w->BtnSearch, Qt::LeftButton);
    QCOMPARE(w->Counters().SameCount, 3);

    QSignalSpy layouts(&w->StGSrchFl->Model(), &QAbstractItemModel::layoutChanged);
    // Runs at the first processing of events inside the sort.
    QString caption;
    QTimer::singleShot(0, w.get(), [&] {
      if (w->ProgressWindow() != nullptr) caption = w->ProgressWindow()->windowTitle();
    });
    QTest::mouseClick(w->RdGSortKbn->Item(1), Qt::LeftButton);
    QCOMPARE(caption, TfmTarnvik::kSortCaption);
    QVERIFY(w->ProgressWindow() == nullptr);
    QCOMPARE(static_cast<int>(w->CurrentSortOrder()), 1);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(w->width(), 764);
    QCOMPARE(w->minimumWidth(), 764);
    QCOMPARE(w->maximumWidth(), 764);
    QCOMPARE(w->StGSrchFl->geometry(), QRect(4, 84, 756, 222));
    QCOMPARE(w->StGSelFil->geometry(), QRect(4, 378, 756, 198));
    QCOMPARE(w->BtnXlsCnv->geometry(), QRect(644, 53, 58, 25));
    QCOMPARE(w->RdGSortKbn->geometry(), QRect(596, 2, 155, 41));
    QCOMPARE(w->BtnSearch->geometry(), QRect(424, 52, 56, 25));
    ResultGrid* upper = w->StGSrchFl;
    for (ResultGrid* g : {upper, w->StGSelFil}) {
      QCOMPARE(g->model()->columnCount(), 6);
      QCOMPARE(g->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Ext."));
      QCOMPARE(g->columnWidth(5), 40);
    }
    QStringList order;
    QStringList marks;
    for (int r = 0; r < upper->model()->rowCount(); ++r) {
      const QStringList row = RowTexts(upper, r);
      QCOMPARE(row[0], QStringLiteral("%1").arg(r + 1, 4));
      order << row[6] + ":" + row[1] + ":" + row[2];
      marks << row[5];
    }
    QCOMPARE(order,
             (QStringList{"PPT:b.ppt:", "PPT:b.ppt:x", ":README:", "TXT:a.txt:", "TXT:a.txt:x",
                          "TXT:a.txt:y", "TXT:ｶﾅ.txt:y/z", "XLSX:報告書.xlsx:"}));
    QCOMPARE(marks, (QStringList{"", "Same", "", "", "Same", "Name", "", ""}));
    QCOMPARE(w->STxEqual->text(), QStringLiteral("3"));
    QCOMPARE(w->STxDatCnt->text(), QStringLiteral("8"));
    // The switch leaves the buttons alone.
    CheckButtons(*w, {true, true, true, true, true, false});

    QTest::mouseClick(w->RdGSortKbn->Item(0), Qt::LeftButton);
    QCOMPARE(w->width(), 720);
    QCOMPARE(w->BtnXlsCnv->geometry(), QRect(600, 53, 58, 25));
    QCOMPARE(upper->model()->columnCount(), 5);
    QCOMPARE(RowTexts(upper, 0).mid(1, 2), (QStringList{"README", ""}));
    QCOMPARE(RowTexts(upper, 2).mid(1, 2), (QStringList{"a.txt", "x"}));
    QCOMPARE(RowTexts(upper, 2)[5], QStringLiteral("Same"));
    QCOMPARE(w->Counters().SameCount, 3);
  }

  void sortSwitchKeepsTheSelectedRows() {
    auto w = OpenOn(MakeSearchTree());
    w->BtnSearchClick();
    w->BtnEqSameClick();
    w->StGSrchFl->setCurrentIndex(w->StGSrchFl->model()->index(2, 0));
    w->StGSelFil->setCurrentIndex(w->StGSelFil->model()->index(1, 0));
    QCOMPARE(w->FoundRow, 3);
    QCOMPARE(w->PickedRow, 2);
    // The grids keep the selected row numbers across the change of columns
    // and the new sort, as FoundRow and PickedRow do: the highlighted row is
    // the one Enter or a double-click opens.
    for (int order : {1, 0}) {
      w->RdGSortKbn->SetItemIndex(order);
      QCOMPARE(static_cast<int>(w->CurrentSortOrder()), order);
      QCOMPARE(w->StGSrchFl->CurrentTableRow(), 3);
      QCOMPARE(w->StGSelFil->CurrentTableRow(), 2);
      QCOMPARE(w->StGSrchFl->selectionModel()->selectedRows().size(), 1);
      QCOMPARE(w->StGSrchFl->selectionModel()->selectedRows().front().row(), 2);
      QCOMPARE(w->StGSelFil->selectionModel()->selectedRows().size(), 1);
      QCOMPARE(w->FoundRow, 3);
      QCOMPARE(w->PickedRow, 2);
    }
  }

  void searchOfAnEmptyOrVanishedFolder_data() {
    QTest::addColumn<bool>("removeAfterStart");
    QTest::newRow("empty folder") << false;
    QTest::newRow("removed after start-up") << true;
  }

  void searchOfAnEmptyOrVanishedFolder() {
    QFETCH(bool, removeAfterStart);
    const QString root = Path(QStringLiteral("empty"));
    QDir().mkpath(root);
    auto w = OpenOn(root);
    int messages = 0;
    w->SetMessageSink([&](const QString&) { ++messages; });
    QCOMPARE(Str(w->SearchRoots()[0]), root);
    if (removeAfterStart) QVERIFY(QDir(root).removeRecursively());
    QTest::mouseClick(w->BtnSearch, Qt::LeftButton);
    QCOMPARE(w->StGSrchFl->model()->rowCount(), 1);
    QCOMPARE(RowTexts(w->StGSrchFl, 0), (QStringList{"   1", "", "", "", "", ""}));
    QCOMPARE(w->STxDatCnt->text(), QStringLiteral("0"));
    QCOMPARE(w->STxFolder->text(), QStringLiteral("1"));
    QCOMPARE(w->STxEqual->text(), QString());
    QCOMPARE(messages, 0);
  }

  void inputIsBlockedWhileASearchRuns() {
    const QString root = Path(QStringLiteral("deep"));
    for (int i = 0; i < 30; ++i) MakeFile(root + QStringLiteral("/d%1/f%1.txt").arg(i), i);
    auto w = OpenOn(root);
    QFile::remove(settingsPath_);
    bool ran = false;
    QString caption;
    bool modal = false;
    QTimer::singleShot(0, w.get(), [&] {
      ran = true;
      QVERIFY(w->IsBusy());
      if (auto* progress = w->ProgressWindow()) {
        caption = progress->windowTitle();
        modal = progress->isVisible() && progress->windowModality() == Qt::WindowModal;
      }
      // None of these may start while the scan is half-way.
      QTest::mouseClick(w->RdGSortKbn->Item(1), Qt::LeftButton);
      QTest::mouseClick(w->BtnFmPath, Qt::LeftButton);
      QTest::mouseClick(w->BtnPrgEnd, Qt::LeftButton);
      QTest::mouseClick(w->UpDnFmPath->UpArrow(), Qt::LeftButton);
      w->close();
    });
    w->BtnSearch->click();
    QVERIFY(ran);
    QCOMPARE(caption, TfmTarnvik::kScanCaption);
    QVERIFY(modal);
    QCOMPARE(w->RdGSortKbn->ItemIndex(), 0);
    QCOMPARE(w->RootIndex(), 0);
    QCOMPARE(w->StGSrchFl->model()->rowCount(), 30);
    QVERIFY(!QFileInfo::exists(settingsPath_));
    QVERIFY(w->isVisible());
    // The close asked for during the search happens once it is over.
    QTRY_VERIFY(!w->isVisible());
    QVERIFY(!QFileInfo::exists(settingsPath_));
  }

  void settingsAreWrittenOnlyByTheExitButton_data() {
    QTest::addColumn<bool>("viaExitButton");
    QTest::newRow("title-bar close") << false;
    QTest::newRow("exit button") << true;
  }

  void settingsAreWrittenOnlyByTheExitButton() {
    QFETCH(bool, viaExitButton);
    QDir().mkpath(Path("r1"));
    QDir().mkpath(Path("r3"));
    auto w = Open({{"SrchFrom1", Path("r1")}, {"SrchFrom3", Path("r3")}, {"Height", 600}});
    QFile::remove(settingsPath_);
    w->resize(720, 700);
    if (viaExitButton) {
      QTest::mouseClick(w->BtnPrgEnd, Qt::LeftButton);
    } else {
      w->close();
    }
    QVERIFY(!w->isVisible());
    QCOMPARE(QFileInfo::exists(settingsPath_), viaExitButton);
    if (!viaExitButton) return;
    QSettings s(settingsPath_, QSettings::IniFormat);
    QCOMPARE(s.value("Height").toInt(), 739);
    QCOMPARE(s.value("Width").toInt(), 736);
    const QString home = QDir::homePath();
    const QStringList want = {home, Path("r1"), home, Path("r3"), home};
    for (int i = 0; i < 5; ++i)
      QCOMPARE(s.value(QStringLiteral("SrchFrom%1").arg(i)).toString(), want[i]);
    // The next start finds the same window.
    store_ = std::make_unique<QtSettingsStore>(settingsPath_);
    tarnvik::testing::TestWindow again(*store_);
    QCOMPARE(again.height(), 700);
    QCOMPARE(Str(again.SearchRoots()[3]), Path("r3"));
  }

  // Exit when the settings cannot be saved: the user learns it and where,
  // then the window closes all the same.
  void exitTellsWhenSettingsCannotBeSaved_data() {
    QTest::addColumn<QString>("blocker");
    QTest::newRow("folder in place of the file") << "folder";
    QTest::newRow("file in place of the folder") << "file";
    QTest::newRow("fifo in place of the file") << "fifo";
  }

  void exitTellsWhenSettingsCannotBeSaved() {
    QFETCH(QString, blocker);
    const QString folder = QFileInfo(settingsPath_).absolutePath();
    if (blocker == "folder") {
      QVERIFY(QDir().mkpath(settingsPath_ + "/x"));
    } else if (blocker == "file") {
      QDir().mkpath(QFileInfo(folder).absolutePath());
      QFile f(folder);
      QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
      QDir().mkpath(folder);
      QVERIFY(mkfifo(QFile::encodeName(settingsPath_).constData(), 0600) == 0);
    }
    auto w = Open();
    QCOMPARE(w->height(), TfmTarnvik::kDesignClient.height());
    QStringList messages;
    w->SetMessageSink([&](const QString& m) { messages << m; });
    QTest::mouseClick(w->BtnPrgEnd, Qt::LeftButton);
    QCOMPARE(messages, QStringList{QStringLiteral("設定を保存できませんでした！！\n保存先：") +
                                   settingsPath_});
    QVERIFY(!w->isVisible());
  }

  void browseStoresTheChosenFolder_data() {
    QTest::addColumn<QString>("choose");  // "@" is the fixture
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("viaSelectButton");
    QTest::newRow("folder") << "@/data/sub"
                            << "@/data/sub" << true;
    QTest::newRow("trailing slash") << "@/data/"
                                    << "@/data" << true;
    QTest::newRow("volume root") << "/"
                                 << "/" << true;
    QTest::newRow("closed without the button") << "@/data"
                                               << "@/data" << false;
  }

  void browseStoresTheChosenFolder() {
    QFETCH(QString, choose);
    QFETCH(QString, stored);
    QFETCH(bool, viaSelectButton);
    const QString fixture = dir_->path();
    choose.replace(QLatin1Char('@'), fixture);
    stored.replace(QLatin1Char('@'), fixture);
    QDir().mkpath(Path("data/sub"));
    MakeFile(Path("start/f.txt"), 1);
    auto w = OpenOn(Path("start"));
    QTest::mouseClick(w->BtnSearch, Qt::LeftButton);
    QTest::mouseClick(w->UpDnFmPath->UpArrow(), Qt::LeftButton);
    QTest::mouseClick(w->UpDnFmPath->DownArrow(), Qt::LeftButton);

    QString caption;
    QString shownAtOpen;
    Buttons during{};
    QTimer::singleShot(0, w.get(), [&] {
      auto* dialog =
          qobject_cast<tarnvik::windows::TfmFolderSel*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->parentWidget(), w.get());
      caption = dialog->windowTitle();
      shownAtOpen = dialog->Directory();
      during = {w->BtnSearch->isEnabled(), w->BtnXlsCnv->isEnabled(), w->BtnEqName->isEnabled(),
                w->BtnEqSame->isEnabled(), w->BtnShSame->isEnabled(), w->BtnXlsCv2->isEnabled()};
      dialog->SetDirectory(choose);
      if (viaSelectButton) {
        QTest::mouseClick(dialog->BtnSelect, Qt::LeftButton);
      } else {
        dialog->reject();
      }
    });
    QTest::mouseClick(w->BtnFmPath, Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("ドライブ＆フォルダーの選択"));
    QCOMPARE(shownAtOpen, Path("start"));
    QVERIFY(!during.search && !during.xlsCnv && !during.eqName && !during.eqSame &&
            !during.shSame && !during.xlsCv2);
    QCOMPARE(Str(w->SearchRoots()[0]), stored);
    QCOMPARE(w->RcEdFmPath->toPlainText(), stored);
    QCOMPARE(Str(w->ShownRoot()), stored);
    CheckButtons(*w, {true, false, false, false, false, false});
    // The previous result stays on screen.
    QCOMPARE(RowTexts(w->StGSrchFl, 0)[1], QStringLiteral("f.txt"));
    QVERIFY(w->findChild<tarnvik::windows::TfmFolderSel*>() == nullptr);
  }

  void limitMessageIsAModalBoxWithLineBreaks() {
    auto w = Open();
    QString shown;
    bool modal = false;
    QTimer::singleShot(0, w.get(), [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->text();
      modal = box->isModal();
      box->accept();
    });
    w->ShowMessage(std::u16string(u"検索対象結果が２０，０００件を超えました！！") +
                   tarnvik::base::kCrLf + u"途中終了しました。");
    QCOMPARE(shown,
             QStringLiteral("検索対象結果が２０，０００件を超えました！！\n途中終了しました。"));
    QVERIFY(modal);
  }
};

int main(int argc, char** argv) {
  QTemporaryDir config;
  UseOffscreenScreen(config.filePath(QStringLiteral("screen.json")), kScreen.width(),
                     kScreen.height());
  QApplication app(argc, argv);
  TfmTarnvikTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}
#include "TfmTarnvik_test.moc"
