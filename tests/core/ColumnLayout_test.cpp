#include "core/ColumnLayout.h"

#include <gtest/gtest.h>

#include "base/Columns.h"
#include "lib/Fnc_Grid.h"

namespace tarnvik::core {
namespace {

TEST(ClearGrid, EmptiesRowOneAndKeepsHeaders) {
  base::ResultTable t(7, 5);
  t.SetCell(1, 0, u"File Name");
  for (int c = 0; c < 7; ++c) t.SetCell(c, 1, u"x");
  lib::ClearGrid(t);
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.Cell(1, 0), u"File Name");
  for (int c = 0; c < 7; ++c) EXPECT_EQ(t.Cell(c, 1), u"") << c;
}

struct CharWidthCase {
  int points;
  int width;
};

TEST(GridCharWidth, FollowsTheFontSize) {
  const CharWidthCase cases[] = {{8, 6},   {9, 6},   {10, 7},  {11, 8}, {12, 8},  {13, 9},
                                 {14, 10}, {15, 10}, {16, 11}, {7, 12}, {17, 12}, {0, 12}};
  for (const auto& c : cases) {
    base::ResultTable t;
    t.SetFontPointSize(c.points);
    EXPECT_EQ(lib::GridCharWidth(t), c.width) << c.points << " pt";
  }
}

class RecordingHost : public base::EngineHost {
 public:
  void SetWindowWidthLimits(int px) override { width = px; }
  int width = 0;
};

TEST(ApplyColumnLayout, NameLayoutAtTwelvePoints) {
  base::ResultTable upper, lower;
  RecordingHost host;
  ApplyColumnLayout(base::SortOrder::ByName, upper, lower, host);
  const std::u16string headers[] = {u" No.",      u"File Name", u"Folder Name",
                                    u"Date Time", u"Size",      u"Check"};
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
  base::ResultTable upper(6, 5), lower(6, 3);
  upper.SetFontPointSize(9);
  const std::u16string names[] = {u"archive.tar.gz", u".profile", u"README", u"Report.xlsx"};
  for (int r = 1; r <= 4; ++r) upper.SetCell(base::kColName, r, names[r - 1]);
  upper.SetCell(base::kColName, 5, u"hidden.doc");  // beyond RowCount: not a data row
  lower.SetCell(base::kColName, 1, u"x.txt");
  lower.SetCell(base::kColExt, 1, u"OLD");
  RecordingHost host;
  ApplyColumnLayout(base::SortOrder::ByExtension, upper, lower, host);
  EXPECT_EQ(host.width, 780);
  ASSERT_EQ(upper.ColCount(), 7);
  ASSERT_EQ(lower.ColCount(), 7);
  const int widths[] = {32, 158, 128, 122, 44, 38, 32};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(upper.ColWidth(c), widths[c]) << c;
    EXPECT_EQ(lower.ColWidth(c), widths[c]) << c;
  }
  EXPECT_EQ(upper.Cell(base::kColExt, 0), u"Ext.");
  EXPECT_EQ(lower.Cell(base::kColExt, 0), u"Ext.");
  EXPECT_EQ(upper.Cell(base::kColExt, 1), u"GZ");
  EXPECT_EQ(upper.Cell(base::kColExt, 2), u"PROFILE");
  EXPECT_EQ(upper.Cell(base::kColExt, 3), u"");
  EXPECT_EQ(upper.Cell(base::kColExt, 4), u"XLSX");
  EXPECT_EQ(upper.Cell(base::kColExt, 5), u"");
  EXPECT_EQ(lower.Cell(base::kColExt, 1), u"OLD");

  // Back to the name layout: column 6 is hidden, the rows stay.
  ApplyColumnLayout(base::SortOrder::ByName, upper, lower, host);
  EXPECT_EQ(upper.ColCount(), 6);
  EXPECT_EQ(upper.RowCount(), 5);
  EXPECT_EQ(upper.Cell(base::kColName, 1), u"archive.tar.gz");
}

}  // namespace
}  // namespace tarnvik::core
