#include "app/ResultGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

#include "app/WindowFonts.h"
#include "base/EngineHost.h"
#include "base/TextCodec.h"
#include "core/ColumnLayout.h"

using tarnvik::app::ResultGrid;
using tarnvik::base::ResultTable;

namespace {

void Fill(ResultTable& t, int rows) {
  t.SetRowCount(rows + 1);
  for (int r = 1; r <= rows; ++r) {
    t.SetCell(0, r, tarnvik::base::FormatNumber(r, 4));
    t.SetCell(1, r, u"file" + std::u16string(1, static_cast<char16_t>(u'0' + r % 10)));
  }
}

// Starts a result in `grid` with the file-name layout and `rows` rows from
// Fill; the caller ends it.
void BeginFileNameTable(ResultGrid& grid, int rows) {
  tarnvik::base::EngineHost host;
  ResultTable lower;
  grid.BeginResult();
  tarnvik::core::ApplyColumnLayout(tarnvik::base::SortOrder::ByName, grid.Table(), lower, host);
  Fill(grid.Table(), rows);
}

}  // namespace

class ResultGridTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { tarnvik::app::InstallJapaneseFonts(); }

  void showsTheTableWithItsHeaders() {
    ResultGrid grid;
    tarnvik::base::EngineHost host;
    ResultTable lower;
    grid.BeginResult();
    tarnvik::core::ApplyColumnLayout(tarnvik::base::SortOrder::ByExtension, grid.Table(), lower,
                                     host);
    Fill(grid.Table(), 3);
    // A name that is not valid UTF-8 (a lone surrogate) and one outside the
    // basic plane reach the view unchanged.
    const std::u16string odd = {u'a', 0xDC81, u'b', 0xD83D, 0xDE00};
    grid.Table().SetCell(2, 2, odd);
    grid.EndResult();

    QAbstractItemModel* m = grid.model();
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->columnCount(), 6);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File Name"));
    QCOMPARE(m->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Ext."));
    QCOMPARE(m->headerData(2, Qt::Vertical).toString(), QStringLiteral("   3"));
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("file1"));
    const QString cell = m->index(1, 1).data().toString();
    QCOMPARE(cell.size(), 5);
    for (int i = 0; i < 5; ++i) QCOMPARE(cell[i].unicode(), odd[static_cast<size_t>(i)]);
    QVERIFY(!m->index(0, 0).data(Qt::EditRole).isValid());
    QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
    const int widths[] = {208, 168, 160, 56, 48, 40};
    for (int c = 0; c < 6; ++c) QCOMPARE(grid.columnWidth(c), widths[c]);
    QCOMPARE(grid.verticalHeader()->width(), 40);
    QCOMPARE(grid.rowHeight(0), 20);
    QCOMPARE(grid.horizontalHeader()->height(), 20);
  }

  void showsCp932NamesByTheirText() {
    ResultGrid grid;
    BeginFileNameTable(grid, 2);
    // ﾚﾎﾟｰﾄ.txt in CP932, in the folder 書類 (UTF-8) / 議事録 (CP932); then
    // bytes that are no CP932 either.
    const std::u16string name = tarnvik::base::NativeToText("\xda\xce\xdf\xb0\xc4.txt");
    const std::u16string folder = tarnvik::base::NativeToText(
        "書類/\x8b"
        "c\x8e\x96\x98^");
    const std::u16string odd = tarnvik::base::NativeToText("x\x80.txt");
    grid.Table().SetCell(1, 1, name);
    grid.Table().SetCell(2, 1, folder);
    grid.Table().SetCell(1, 2, odd);
    grid.Table().SetCell(2, 2, u"");
    grid.EndResult();

    QAbstractItemModel* m = grid.model();
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("ﾚﾎﾟｰﾄ.txt"));
    QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("書類/議事録"));
    QCOMPARE(m->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("ﾚﾎﾟｰﾄ.txt"));
    QCOMPARE(m->index(0, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("書類/議事録"));
    // Stray bytes stay what they were: shown as U+FFFD by the view.
    const QString shownOdd = m->index(1, 0).data().toString();
    QCOMPARE(shownOdd.size(), 6);
    QCOMPARE(shownOdd[1].unicode(), char16_t{0xDC80});
    // No tooltip on an empty folder or on the other columns.
    QVERIFY(!m->index(1, 1).data(Qt::ToolTipRole).isValid());
    QVERIFY(!m->index(0, 2).data(Qt::ToolTipRole).isValid());
    // The table keeps the bytes for sorting, marks and opening.
    QVERIFY(grid.Table().Cell(1, 1) == name);
    QVERIFY(grid.Table().Cell(2, 1) == folder);
  }

  void frozenWhileTheEngineWorks() {
    ResultGrid grid;
    grid.BeginResult();
    Fill(grid.Table(), 4);
    grid.EndResult();
    QSignalSpy aboutToReset(&grid.Model(), &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&grid.Model(), &QAbstractItemModel::modelReset);
    QSignalSpy aboutToLayout(&grid.Model(), &QAbstractItemModel::layoutAboutToBeChanged);
    QSignalSpy layout(&grid.Model(), &QAbstractItemModel::layoutChanged);
    QSignalSpy inserted(&grid.Model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&grid.Model(), &QAbstractItemModel::rowsRemoved);

    grid.BeginResult();
    QCOMPARE(aboutToReset.count(), 1);
    // The engine grows and rewrites the table; the model keeps its shape and
    // shows nothing of the half-done work.
    Fill(grid.Table(), 9);
    grid.Table().SetColCount(7);
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(grid.model()->columnCount(), 5);
    QVERIFY(!grid.model()->index(3, 0).data().isValid());
    QVERIFY(!grid.model()->headerData(0, Qt::Vertical).isValid());
    grid.EndResult();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(grid.model()->rowCount(), 9);
    QCOMPARE(grid.model()->columnCount(), 6);

    grid.BeginSort();
    QCOMPARE(aboutToLayout.count(), 1);
    grid.Table().SetRowCount(11);  // the sort's scratch row
    QCOMPARE(grid.model()->rowCount(), 9);
    QVERIFY(!grid.model()->index(0, 0).data().isValid());
    grid.Table().SetRowCount(10);
    grid.Table().SetCell(1, 1, u"sorted");
    grid.EndSort();
    QCOMPARE(layout.count(), 1);
    QCOMPARE(grid.model()->index(0, 0).data().toString(), QStringLiteral("sorted"));
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(removed.count(), 0);
  }

  void selectsWholeRowsOneAtATime() {
    ResultGrid grid;
    grid.BeginResult();
    Fill(grid.Table(), 5);
    grid.EndResult();
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.selectRow(2);
    grid.selectRow(3);
    const QModelIndexList rows = grid.selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.front().row(), 3);
    QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 5);
    QCOMPARE(grid.CurrentTableRow(), 4);
  }

  void clickBelowTheRowsKeepsTheSelectedRow() {
    ResultGrid grid;
    grid.BeginResult();
    Fill(grid.Table(), 3);
    grid.EndResult();
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setCurrentIndex(grid.model()->index(1, 0));
    QSignalSpy selected(&grid, &ResultGrid::CellSelected);
    QSignalSpy opened(&grid, &ResultGrid::RowOpened);
    // Below the last row: the highlighted row stays the one a double-click
    // there opens.
    const QPoint below(50, grid.rowViewportPosition(2) + 3 * ResultGrid::kRowHeight);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid.selectionModel()->selectedRows().front().row(), 1);
    QCOMPARE(grid.CurrentTableRow(), 2);
    QCOMPARE(selected.count(), 0);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
  }

  void enterOpensTheRowOncePerPress() {
    ResultGrid grid;
    grid.BeginResult();
    Fill(grid.Table(), 3);
    grid.EndResult();
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setCurrentIndex(grid.model()->index(1, 0));
    QSignalSpy opened(&grid, &ResultGrid::RowOpened);
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(opened.count(), 1);
    // A key held down repeats; the file is not opened again for each repeat.
    for (int i = 0; i < 3; ++i) {
      QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
      QApplication::sendEvent(&grid, &repeat);
    }
    QCOMPARE(opened.count(), 1);
    // The Enter key of the number pad comes with the keypad modifier.
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(opened.count(), 2);
    // With another modifier, Enter is not an opening.
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(opened.count(), 2);
  }

  // A cell too narrow for its text shows the whole text as a tooltip; a
  // cell that fits shows none. Sizes of seven digits and more overflow the
  // six-character Size column; long names and folders overflow theirs.
  void clippedCellsShowTheirTextAsATip_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clipped");
    QTest::newRow("short name") << 1 << "a.txt" << false;
    QTest::newRow("long name") << 1 << QString(40, QLatin1Char('n')) + ".xlsx" << true;
    QTest::newRow("long Japanese folder") << 2 << QString(15, QChar(0x30D5)) << true;
    QTest::newRow("six-digit size") << 4 << "999999" << false;
    QTest::newRow("seven-digit size") << 4 << "1234567" << true;
    QTest::newRow("ten-digit size") << 4 << "4294967296" << true;
    QTest::newRow("mark") << 5 << "Same" << false;
  }

  void clippedCellsShowTheirTextAsATip() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, clipped);
    ResultGrid grid;
    grid.setFont(tarnvik::app::WindowFont());
    BeginFileNameTable(grid, 2);
    grid.Table().SetCell(column, 2, text.toStdU16String());
    grid.EndResult();
    grid.resize(712, 222);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QModelIndex cell = grid.model()->index(1, column - 1);
    QCOMPARE(grid.ClippedText(cell), clipped ? text : QString());
    // The help event the viewport gets when the pointer rests on the cell.
    QToolTip::hideText();
    const QPoint at = grid.visualRect(cell).center();
    QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &help);
    QCOMPARE(QToolTip::isVisible(), clipped);
    if (clipped) QCOMPARE(QToolTip::text(), text);
    // The cell beside it has a short text: no tip, and a shown one goes.
    const QModelIndex other = grid.model()->index(0, 0);
    const QPoint at2 = grid.visualRect(other).center();
    QHelpEvent help2(QEvent::ToolTip, at2, grid.viewport()->mapToGlobal(at2));
    QApplication::sendEvent(grid.viewport(), &help2);
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  // Row numbers past four digits overflow the number column the same way.
  void clippedRowNumbersShowATip() {
    ResultGrid grid;
    grid.setFont(tarnvik::app::WindowFont());
    BeginFileNameTable(grid, 2);
    grid.Table().SetCell(0, 2, u"20000");
    grid.EndResult();
    QCOMPARE(grid.ClippedNumber(0), QString());
    QCOMPARE(grid.ClippedNumber(1), QStringLiteral("20000"));
  }
};

QTEST_MAIN(ResultGridTest)
#include "ResultGrid_test.moc"
