// The keyword filter reads file names the way the grids show them: a name
// stored as CP932 bytes is found by the words it shows, and the listed rows
// keep the exact bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopiedRows.h"
#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "core/KeywordFilter.h"
#include "platform/SystemServices.h"

namespace tarnvik::core {
namespace {

// File names as the disk gives them.
const char* const kNames[] = {
    "\xda\xce\xdf\xb0\xc4.txt",  // ﾚﾎﾟｰﾄ.txt in CP932
    "\x8b"
    "c\x8e\x96\x98^.doc",               // 議事録.doc in CP932
    "レポート.xls",                     // UTF-8
    "\x83\x8c\x83|\x81[\x83g\xff.txt",  // neither: shown as today
    "memo.txt",
};

base::ResultTable MakeUpper() {
  base::ResultTable upper(7, 2);
  int row = 1;
  for (const char* name : kNames) {
    upper.SetCell(base::kColNumber, row, base::FormatNumber(row, 4));
    upper.SetCell(base::kColName, row, base::NativeToText(name));
    upper.SetCell(base::kColFolder, row, base::NativeToText("\x8f\x91\x97\xde"));  // 書類
    upper.SetRowCount(++row);
  }
  return upper;
}

TEST(FilterRows, FindsCp932NamesByTheTextTheyShow) {
  struct Case {
    std::u16string keyword;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {u"レポート", {1, 3}},
      {u"れぽーと", {1, 3}},
      {u"ﾚﾎﾟｰﾄ.TXT", {1}},
      {u"議事録", {2}},
      // Only the name is searched, not the folder it shows.
      {u"書類", {}},
      {u"memo", {5}},
  };
  const base::ResultTable upper = MakeUpper();
  const platform::SystemServices system;
  const MatchKeys keys(*system.Engine().textMapper);
  for (const Case& c : cases) {
    base::ResultTable lower(7, 2);
    base::EngineHost host;
    ASSERT_TRUE(FilterRows(upper, lower, c.keyword, u"", kConnectiveAnd, keys, host));
    // CopiedRows checks that each listed row carries its cells unchanged.
    EXPECT_EQ(CopiedRows(upper, lower), c.rows) << base::ToUtf8(c.keyword);
  }
}

}  // namespace
}  // namespace tarnvik::core
