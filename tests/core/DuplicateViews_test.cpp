#include "core/DuplicateViews.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopiedRows.h"
#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/ResultTable.h"

namespace tarnvik::core {
namespace {

struct UpperRow {
  std::u16string name;
  std::u16string mark;
};

// An upper table as the sort leaves it: numbered rows with name, folder,
// time, size, mark and extension.
base::ResultTable MakeUpper(const std::vector<UpperRow>& rows) {
  base::ResultTable upper(7, 2);
  for (size_t k = 0; k < rows.size(); ++k) {
    const int r = static_cast<int>(k) + 1;
    upper.SetCell(base::kColNumber, r, base::FormatNumber(r, 4));
    upper.SetCell(base::kColName, r, rows[k].name);
    upper.SetCell(base::kColFolder, r, u"sub" + base::FormatNumber(r, 1));
    upper.SetCell(base::kColTime, r, u"2024.05.06 07:08:10");
    upper.SetCell(base::kColSize, r, base::FormatNumber(100 + r, 6));
    upper.SetCell(base::kColCheck, r, rows[k].mark);
    upper.SetCell(base::kColExt, r, base::ExtensionText(rows[k].name));
  }
  upper.SetRowCount(static_cast<int>(rows.size()) + 1);
  return upper;
}

class CountingHost : public base::EngineHost {
 public:
  void ShowCount(base::CountBox box, int value) override {
    EXPECT_EQ(box, base::CountBox::Selected);
    shown.push_back(value);
  }
  std::vector<int> shown;
};

struct ViewCase {
  const char* what;
  std::vector<UpperRow> upper;
  std::u16string mark;
  std::vector<int> rows;   // upper rows shown, in order
  std::vector<int> shown;  // values the count box showed, in order
};

TEST(ShowMarkedRows, ShowsMarkedRowsWithTheirGroupHeads) {
  const std::vector<UpperRow> groups = {{u"a.txt", u""},
                                        {u"a.txt", u"Same"},
                                        {u"a.txt", u"Same"},
                                        {u"b.txt", u""},
                                        {u"b.txt", u"Name"}};
  const std::vector<UpperRow> mixed = {{u"a.txt", u""}, {u"a.txt", u"Name"}, {u"a.txt", u"Same"}};
  const ViewCase cases[] = {
      {"same contents", groups, base::kMarkSame, {1, 2, 3}, {2, 3, 3}},
      {"same names", groups, base::kMarkName, {4, 5}, {2, 2}},
      {"head above a mark of the other kind is not added", mixed, base::kMarkSame, {3}, {1, 1}},
      {"one group of names", mixed, base::kMarkName, {1, 2}, {2, 2}},
      {"no marks at all",
       {{u"a.txt", u""}, {u"b.txt", u""}, {u"c.txt", u""}},
       base::kMarkSame,
       {},
       {0}},
      {"no rows at all", {}, base::kMarkName, {}, {0}},
      {"row 1 is never examined itself",
       {{u"a.txt", u"Same"}, {u"b.txt", u""}},
       base::kMarkSame,
       {},
       {0}},
      {"row 1 carrying a mark is no head",
       {{u"a.txt", u"Same"}, {u"a.txt", u"Same"}},
       base::kMarkSame,
       {2},
       {1, 1}},
      {"two groups in a row",
       {{u"a.txt", u""},
        {u"a.txt", u"Name"},
        {u"b.txt", u""},
        {u"b.txt", u"Name"},
        {u"b.txt", u"Name"}},
       base::kMarkName,
       {1, 2, 3, 4, 5},
       {2, 4, 5, 5}},
      // A head cell that is blank after trimming counts as unmarked; marks
      // compare exactly.
      {"blank head cell",
       {{u"a.txt", u" \t"}, {u"a.txt", u"Same"}},
       base::kMarkSame,
       {1, 2},
       {2, 2}},
      {"marks compare exactly",
       {{u"a.txt", u""}, {u"a.txt", u"Same "}, {u"a.txt", u"same"}, {u"a.txt", u"Name"}},
       base::kMarkSame,
       {},
       {0}},
  };
  for (const ViewCase& c : cases) {
    const base::ResultTable upper = MakeUpper(c.upper);
    base::ResultTable lower(7, 2);
    CountingHost host;
    ShowMarkedRows(upper, lower, c.mark, host);
    EXPECT_EQ(CopiedRows(upper, lower), c.rows) << c.what;
    EXPECT_EQ(lower.RowCount(), std::max<int>(2, static_cast<int>(c.rows.size()) + 1)) << c.what;
    EXPECT_EQ(host.shown, c.shown) << c.what;
  }
}

TEST(ShowMarkedRows, ReplacesEarlierResults) {
  const base::ResultTable upper = MakeUpper(
      {{u"a.txt", u""}, {u"a.txt", u"Same"}, {u"b.txt", u""}, {u"c.txt", u""}, {u"d.txt", u""}});
  base::ResultTable lower = MakeUpper({{u"x", u""}, {u"y", u""}, {u"z", u""}, {u"w", u""}});
  CountingHost host;
  ShowMarkedRows(upper, lower, base::kMarkSame, host);
  EXPECT_EQ(lower.RowCount(), 3);
  EXPECT_EQ(CopiedRows(upper, lower), (std::vector<int>{1, 2}));

  ShowMarkedRows(upper, lower, base::kMarkName, host);
  EXPECT_EQ(lower.RowCount(), 2);
  for (int c = 0; c < lower.ColCount(); ++c) EXPECT_EQ(lower.Cell(c, 1), u"") << c;
  EXPECT_EQ(host.shown.back(), 0);
}

}  // namespace
}  // namespace tarnvik::core
