#include "base/ResultTable.h"

#include <gtest/gtest.h>

#include "base/CellFormat.h"
#include "base/Columns.h"

namespace tarnvik::base {
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
  t.AppendedRow()[kColName] = u"a.txt";
  t.CommitAppendedRow();
  EXPECT_EQ(t.RowCount(), 3);
  ResultTable copy;
  copy.AppendRowFrom(t, 1);
  copy.AppendRowFrom(t, 1);
  EXPECT_EQ(copy.RowCount(), 4);
  t.DropTrailingBlankRow();
  copy.DropTrailingBlankRow();
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(kColName, 1), u"a.txt");
  EXPECT_EQ(copy.RowCount(), 3);
  EXPECT_EQ(copy.Cell(kColName, 2), u"a.txt");

  ResultTable never;
  never.DropTrailingBlankRow();
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

// Roots as they are stored: trailing separators go, a lone separator stays;
// whether a root is absolute follows the system's path forms.
TEST(Roots, StoredFormAndAbsoluteness) {
  struct Case {
    std::u16string_view given, stored;
    bool absolute;
  };
#ifdef _WIN32
  const Case cases[] = {
      {u"C:", u"C:", true},
      {u"C:\\", u"C:", true},
      {u"c:/", u"c:", true},
      {u"D:\\Data\\Sub\\\\", u"D:\\Data\\Sub", true},
      {u"\\\\server\\share\\", u"\\\\server\\share", true},
      {u"\\", u"\\", false},
      {u"/", u"/", false},
      {u"C:a", u"C:a", false},
      {u"1:\\", u"1:", false},
      {u"資料\\", u"資料", false},
      {u"", u"", false},
  };
#else
  const Case cases[] = {
      {u"/", u"/", true},       {u"//", u"/", true},      {u"/home/u/", u"/home/u", true},
      {u"/a\\", u"/a\\", true}, {u"a/b/", u"a/b", false}, {u"C:\\", u"C:\\", false},
      {u"", u"", false},
  };
#endif
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(WithoutTrailingSeparator(std::u16string(c.given)), c.stored);
    EXPECT_EQ(IsAbsoluteRoot(c.given), c.absolute);
  }
}

}  // namespace
}  // namespace tarnvik::base
