#include "core/ResultTable.h"

#include <gtest/gtest.h>

#include "core/ColumnLayout.h"
#include "lib/Fnc_Grid.h"

namespace tarnvik::core {
namespace {

TEST(ResultTable, KeepsAtLeastTwoRows) {
  ResultTable t;
  EXPECT_EQ(t.RowCount(), 2);
  t.SetRowCount(0);
  EXPECT_EQ(t.RowCount(), 2);
  t.SetRowCount(5);
  EXPECT_EQ(t.RowCount(), 5);
}

TEST(ResultTable, AppendThenDropTrailingBlankRow) {
  ResultTable t;
  lib::ClearGrid(t);
  t.SetCell(kColName, t.RowCount() - 1, u"a.txt");
  t.SetRowCount(t.RowCount() + 1);
  if (t.RowCount() > 2) t.SetRowCount(t.RowCount() - 1);
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(kColName, 1), u"a.txt");

  ResultTable never;
  lib::ClearGrid(never);
  if (never.RowCount() > 2) never.SetRowCount(never.RowCount() - 1);
  EXPECT_EQ(never.RowCount(), 2);
}

TEST(ResultTable, RowsBeyondRowCountKeepTheirCells) {
  ResultTable t;
  t.SetCell(kColName, t.RowCount(), u"scratch");
  t.SetCell(kColName, 50, u"far");
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(kColName, 2), u"scratch");
  EXPECT_EQ(t.Cell(kColName, 50), u"far");
  EXPECT_EQ(t.Cell(kColName, 1000), u"");
  EXPECT_EQ(t.Cell(99, 1), u"");
}

TEST(ResultTable, CopyRowWithinAndBetweenTablesReplacesEveryCell) {
  ResultTable a(7, 4), b(7, 3);
  for (int c = 0; c < 7; ++c) a.SetCell(c, 1, std::u16string(1, char16_t(u'a' + c)));
  b.SetCell(kColCheck, 2, u"stale");
  a.CopyRow(1, 3);
  b.CopyRowFrom(a, 1, 2);
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(a.Cell(c, 3), a.Cell(c, 1));
    EXPECT_EQ(b.Cell(c, 2), a.Cell(c, 1));
  }
  // A copy in the six-column layout still moves the extension cell.
  ResultTable six(6, 3);
  six.SetCell(kColExt, 1, u"TXT");
  six.CopyRow(1, 2);
  EXPECT_EQ(six.Cell(kColExt, 2), u"TXT");
}

TEST(ResultTable, ClearGridEmptiesRowOneAndKeepsHeaders) {
  ResultTable t(7, 5);
  t.SetCell(1, 0, u"File Name");
  for (int c = 0; c < 7; ++c) t.SetCell(c, 1, u"x");
  lib::ClearGrid(t);
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(1, 0), u"File Name");
  for (int c = 0; c < 7; ++c) EXPECT_EQ(t.Cell(c, 1), u"") << c;
}

TEST(ResultTable, PermuteRowsMovesWholeRows) {
  ResultTable t(6, 5);
  for (int r = 1; r <= 4; ++r) {
    t.SetCell(kColName, r, std::u16string(1, char16_t(u'0' + r)));
    t.SetCell(kColSize, r, std::u16string(2, char16_t(u'0' + r)));
  }
  t.PermuteRows(1, {3, 1, 4, 2});
  EXPECT_EQ(t.Cell(kColName, 1), u"3");
  EXPECT_EQ(t.Cell(kColSize, 1), u"33");
  EXPECT_EQ(t.Cell(kColName, 2), u"1");
  EXPECT_EQ(t.Cell(kColName, 3), u"4");
  EXPECT_EQ(t.Cell(kColName, 4), u"2");
}

// Rows of one folder refer to one folder text; copies and moves of rows carry
// the reference, and writing one row's folder leaves every other row's alone.
TEST(ResultTable, FolderCellsAreSharedByCopiesAndWrittenPerRow) {
  ResultTable a(6, 6), b(6, 3);
  const SharedText folder =
      std::make_shared<const std::u16string>(std::u16string(5000, u'深') + u"/x");
  for (int r = 1; r <= 3; ++r) {
    a.SetCell(kColName, r, std::u16string(1, char16_t(u'0' + r)));
    a.SetSharedCell(r, folder);
  }
  a.SetCell(kColName, 4, u"4");
  a.SetCell(kColFolder, 4, u"own");
  const char16_t* const text = folder->data();

  a.CopyRow(1, 5);
  b.CopyRowFrom(a, 2, 1);
  EXPECT_EQ(a.Cell(kColFolder, 5).data(), text);
  EXPECT_EQ(b.Cell(kColFolder, 1).data(), text);
  EXPECT_EQ(b.Cell(kColFolder, 1), *folder);
  EXPECT_EQ(b.RowCells(1)[kColFolder], *folder);
  EXPECT_EQ(b.RowCells(1)[kColName], u"2");

  a.PermuteRows(1, {4, 1, 2, 3});
  const std::u16string names[] = {u"", u"4", u"1", u"2", u"3"};
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(a.Cell(kColName, r), names[r]) << r;
    EXPECT_EQ(a.Cell(kColFolder, r).data() == text, r != 1) << r;
  }
  EXPECT_EQ(a.Cell(kColFolder, 1), u"own");

  // Writing a copy's folder replaces its text only.
  b.SetCell(kColFolder, 1, u"moved");
  a.SetCell(kColFolder, 2, u"");
  EXPECT_EQ(b.Cell(kColFolder, 1), u"moved");
  EXPECT_EQ(a.Cell(kColFolder, 2), u"");
  for (int r : {3, 4, 5}) EXPECT_EQ(a.Cell(kColFolder, r), *folder) << r;
  EXPECT_EQ(*folder, std::u16string(5000, u'深') + u"/x");

  // A copy from a row that was never written empties every cell.
  b.CopyRowFrom(a, 500, 1);
  for (int c = 0; c < ResultTable::kStoredColumns; ++c) EXPECT_EQ(b.Cell(c, 1), u"") << c;
  a.SetSharedCell(3, nullptr);
  EXPECT_EQ(a.Cell(kColFolder, 3), u"");
}

struct CharWidthCase {
  int points;
  int width;
};

TEST(GridCharWidth, FollowsTheFontSize) {
  const CharWidthCase cases[] = {{8, 6},   {9, 6},   {10, 7},  {11, 8}, {12, 8}, {13, 9},
                                 {14, 10}, {15, 10}, {16, 11}, {7, 12}, {17, 12}, {0, 12}};
  for (const auto& c : cases) {
    ResultTable t;
    t.SetFontPointSize(c.points);
    EXPECT_EQ(lib::GridCharWidth(t), c.width) << c.points << " pt";
  }
}

class RecordingHost : public EngineHost {
 public:
  void SetWindowWidthLimits(int px) override { width = px; }
  int width = 0;
};

TEST(ApplyColumnLayout, NameLayoutAtTwelvePoints) {
  ResultTable upper, lower;
  RecordingHost host;
  ApplyColumnLayout(0, upper, lower, host);
  const std::u16string headers[] = {u" No.", u"File Name", u"Folder Name", u"Date Time",
                                    u"Size", u"Check"};
  const int widths[] = {40, 208, 168, 160, 56, 48};
  ASSERT_EQ(upper.ColCount(), 6);
  ASSERT_EQ(lower.ColCount(), 6);
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(upper.Cell(c, 0), headers[c]);
    EXPECT_EQ(lower.Cell(c, 0), headers[c]);
    EXPECT_EQ(upper.ColWidth(c), widths[c]);
    EXPECT_EQ(lower.ColWidth(c), widths[c]);
  }
  EXPECT_EQ(host.width, 736);
}

TEST(ApplyColumnLayout, ExtensionLayoutRecomputesUpperTableOnly) {
  ResultTable upper(6, 5), lower(6, 3);
  upper.SetFontPointSize(9);
  const std::u16string names[] = {u"archive.tar.gz", u".profile", u"README", u"Report.xlsx"};
  for (int r = 1; r <= 4; ++r) upper.SetCell(kColName, r, names[r - 1]);
  upper.SetCell(kColName, 5, u"hidden.doc");  // beyond RowCount: not a data row
  lower.SetCell(kColName, 1, u"x.txt");
  lower.SetCell(kColExt, 1, u"OLD");
  RecordingHost host;
  ApplyColumnLayout(1, upper, lower, host);
  EXPECT_EQ(host.width, 780);
  ASSERT_EQ(upper.ColCount(), 7);
  ASSERT_EQ(lower.ColCount(), 7);
  const int widths[] = {32, 158, 128, 122, 44, 38, 32};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(upper.ColWidth(c), widths[c]) << c;
    EXPECT_EQ(lower.ColWidth(c), widths[c]) << c;
  }
  EXPECT_EQ(upper.Cell(kColExt, 0), u"Ext.");
  EXPECT_EQ(lower.Cell(kColExt, 0), u"Ext.");
  EXPECT_EQ(upper.Cell(kColExt, 1), u"GZ");
  EXPECT_EQ(upper.Cell(kColExt, 2), u"PROFILE");
  EXPECT_EQ(upper.Cell(kColExt, 3), u"");
  EXPECT_EQ(upper.Cell(kColExt, 4), u"XLSX");
  EXPECT_EQ(upper.Cell(kColExt, 5), u"");
  EXPECT_EQ(lower.Cell(kColExt, 1), u"OLD");

  // Back to the name layout: column 6 is hidden, the rows stay.
  ApplyColumnLayout(0, upper, lower, host);
  EXPECT_EQ(upper.ColCount(), 6);
  EXPECT_EQ(upper.RowCount(), 5);
  EXPECT_EQ(upper.Cell(kColName, 1), u"archive.tar.gz");
}

TEST(ExtensionText, UpperCasesOnlyAsciiLetters) {
  EXPECT_EQ(ExtensionText(u"a.tXt"), u"TXT");
  EXPECT_EQ(ExtensionText(u"a."), u"");
  EXPECT_EQ(ExtensionText(u"写真.ｊｐｇ"), u"ｊｐｇ");
  EXPECT_EQ(ExtensionText(u"noext"), u"");
}

TEST(FormatNumber, RightAlignsAndWidens) {
  EXPECT_EQ(FormatNumber(1, 4), u"   1");
  EXPECT_EQ(FormatNumber(12, 6), u"    12");
  EXPECT_EQ(FormatNumber(1234567, 6), u"1234567");
  EXPECT_EQ(FormatNumber(0, 6), u"     0");
  EXPECT_EQ(FormatNumber(5000000000LL, 6), u"5000000000");
  EXPECT_EQ(FormatNumber(-3, 4), u"  -3");
}

}  // namespace
}  // namespace tarnvik::core
