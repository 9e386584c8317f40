#include "core/KeywordFilter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "CopiedRows.h"
#include "base/CellFormat.h"
#include "base/Columns.h"
#include "base/ResultTable.h"
#include "base/TextCodec.h"
#include "lib/Fnc_StdFnc.h"
#include "platform/SystemServices.h"

namespace tarnvik::core {
namespace {

std::string Show(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x20 || (c >= 0xD800 && c < 0xE000)) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += base::ToUtf8(std::u16string_view(&c, 1));
    }
  }
  return "\"" + out + "\"";
}

// The system's text mapper, as the program gets it.
const platform::TextMapper& Mapper() {
  static const platform::SystemServices system;
  return *system.Engine().textMapper;
}

const MatchKeys& Keys() {
  static const MatchKeys keys(Mapper());
  return keys;
}

std::u16string MatchKey(std::u16string_view text) { return Keys().Of(text); }

// MatchKey spelled out step by step, the way it is defined.
std::u16string ComposedMatchKey(std::u16string_view text) {
  return lib::RemoveSpaces(lib::ToUpperAscii(lib::ToHalfWidth(text, Mapper())));
}

struct KeyCase {
  std::u16string text;
  std::u16string key;
};

TEST(MatchKey, FoldsKanaWidthCaseAndSpaces) {
  const KeyCase cases[] = {
      {u"れぽーと", u"ﾚﾎﾟｰﾄ"},
      {u"レポート.xls", u"ﾚﾎﾟｰﾄ.XLS"},
      {u"月次ﾚﾎﾟｰﾄ.doc", u"月次ﾚﾎﾟｰﾄ.DOC"},
      {u"ABC.txt", u"ABC.TXT"},
      {u"ａｂｃ.txt", u"ABC.TXT"},
      {u"a b c.txt", u"ABC.TXT"},
      {u" 1 2", u"12"},
      {u"1\u30002", u"12"},
      {u"カ\u3099イト\u3099", u"ｶﾞｲﾄﾞ"},
      {u"ガイド", u"ｶﾞｲﾄﾞ"},
      {u"\u3000", u""},
      {u"", u""},
      {u" \t\r\n", u""},
      // Controls inside stay; the ones an ideographic space covered at an end
      // go with it.
      {u"\ta\tb c\r", u"A\tBC"},
      {u"\u3000\x01x\x01\u3000", u"X"},
      {u"\u3000\x01\u3000", u""},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(Show(MatchKey(c.text)), Show(c.key)) << Show(c.text);
    EXPECT_EQ(Show(ComposedMatchKey(c.text)), Show(c.key)) << Show(c.text);
  }
}

// Code units that make the normalisation interesting: every control and the
// space, ASCII, the kana and punctuation block, the full- and half-width
// forms, the combining marks, some kanji and surrogates.
char16_t RandomUnit(std::mt19937& rng) {
  const auto in = [&](int lo, int hi) {
    return static_cast<char16_t>(lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)));
  };
  switch (rng() % 10) {
    case 0:
      return in(0x00, 0x20);
    case 1:
      return rng() % 2 ? u' ' : u'\u3000';
    case 2:
      return in(0x21, 0x7F);
    case 3:
    case 4:
      return in(0x3000, 0x30FF);
    case 5:
    case 6:
      return in(0xFF00, 0xFFEF);
    case 7:
      return rng() % 2 ? u'\u3099' : u'\u309A';
    case 8:
      return in(0x4E00, 0x4F00);
    default:
      return in(0xD800, 0xDFFF);
  }
}

TEST(MatchKey, EqualsTheStepByStepCompositionOnRandomTexts) {
  std::mt19937 rng(20240601);
  std::u16string reused;
  for (int n = 0; n < 200000; ++n) {
    std::u16string text;
    const int length = static_cast<int>(rng() % 24);
    for (int k = 0; k < length; ++k) text.push_back(RandomUnit(rng));
    const std::u16string expected = ComposedMatchKey(text);
    ASSERT_EQ(Show(MatchKey(text)), Show(expected)) << Show(text);
    Keys().Into(text, reused);
    ASSERT_EQ(Show(reused), Show(expected)) << Show(text);
  }
}

TEST(MatchKey, AnyPartOfANameWithAKeyIsFoundInTheName) {
  std::mt19937 rng(7);
  for (int n = 0; n < 50000; ++n) {
    std::u16string parts[3];
    for (std::u16string& part : parts) {
      const int length = static_cast<int>(rng() % 12);
      for (int k = 0; k < length; ++k) part.push_back(RandomUnit(rng));
    }
    const std::u16string key = MatchKey(parts[1]);
    if (key.empty()) continue;
    const std::u16string name = parts[0] + parts[1] + parts[2];
    ASSERT_TRUE(RowMatches(MatchKey(name), key, u"", kConnectiveAnd))
        << Show(name) << " does not hold " << Show(parts[1]);
  }
}

TEST(MatchKey, EqualsTheCompositionForEveryCodeUnitBetweenSpaces) {
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    const std::u16string text = {u'\u3000', static_cast<char16_t>(c), u'\t', u'\u3000'};
    ASSERT_EQ(Show(MatchKey(text)), Show(ComposedMatchKey(text))) << static_cast<unsigned>(c);
  }
}

struct MatchCase {
  std::u16string name;
  std::u16string k1;
  std::u16string k2;
  int connective;
  bool listed;
};

TEST(RowMatches, FollowsTheConnective) {
  const MatchCase cases[] = {
      // k1 occurs.
      {u"REPORTPLAN", u"REPORT", u"PLAN", kConnectiveAnd, true},
      {u"REPORT", u"REPORT", u"PLAN", kConnectiveAnd, false},
      {u"REPORT", u"REPORT", u"", kConnectiveAnd, true},
      {u"REPORT", u"REPORT", u"PLAN", kConnectiveOr, true},
      {u"REPORT", u"REPORT", u"PLAN", -1, true},
      {u"REPORT", u"REPORT", u"PLAN", 7, true},
      // k1 does not occur.
      {u"PLAN", u"REPORT", u"PLAN", kConnectiveAnd, false},
      {u"PLAN", u"REPORT", u"PLAN", kConnectiveOr, true},
      {u"PLAN", u"REPORT", u"PLAN", -1, false},
      {u"MEMO", u"REPORT", u"PLAN", kConnectiveOr, false},
      {u"MEMO", u"REPORT", u"", kConnectiveOr, false},
      // An empty k1 occurs nowhere, not even in an empty name.
      {u"PLAN", u"", u"PLAN", kConnectiveAnd, false},
      {u"PLAN", u"", u"PLAN", kConnectiveOr, true},
      {u"PLAN", u"", u"PLAN", -1, false},
      {u"", u"", u"", kConnectiveOr, false},
      {u"", u"", u"", kConnectiveAnd, false},
      // Substrings, compared code unit by code unit.
      {u"AREPORTS", u"REPORT", u"", kConnectiveAnd, true},
      {u"REPOR", u"REPORT", u"", kConnectiveAnd, false},
      {u"REPORT", u"report", u"", kConnectiveAnd, false},
  };
  for (const MatchCase& c : cases) {
    EXPECT_EQ(RowMatches(c.name, c.k1, c.k2, c.connective), c.listed)
        << Show(c.name) << " " << Show(c.k1) << " " << Show(c.k2) << " " << c.connective;
  }
}

class CountingHost : public base::EngineHost {
 public:
  void ShowCount(base::CountBox box, int value) override { shown.emplace_back(box, value); }
  std::vector<std::pair<base::CountBox, int>> shown;
};

const std::u16string kNames[] = {
    u"レポート.xls", u"月次ﾚﾎﾟｰﾄ.doc", u"report.txt", u"plan.doc", u"report_plan.xlsx",
    u"ABC.txt",      u"ａｂｃ.txt",    u"a b c.txt",  u"12月.txt", u"カ\u3099イト\u3099.pdf",
    u"memo.txt",
};

// An upper table with the names above in rows 1.. and telling cells in the
// other columns, so that copies can be checked whole.
base::ResultTable MakeUpper() {
  base::ResultTable upper(7, 2);
  int row = 1;
  for (const std::u16string& name : kNames) {
    upper.SetCell(base::kColNumber, row, base::FormatNumber(row, 4));
    upper.SetCell(base::kColName, row, name);
    upper.SetCell(base::kColFolder, row, u"dir" + base::FormatNumber(row, 1));
    upper.SetCell(base::kColTime, row, u"2024.01.02 03:04:06");
    upper.SetCell(base::kColSize, row, base::FormatNumber(row * 100, 6));
    upper.SetCell(base::kColCheck, row, row % 3 == 0 ? u"Name" : u"");
    upper.SetCell(base::kColExt, row, base::ExtensionText(name));
    upper.SetRowCount(row + 1);
    ++row;
  }
  return upper;
}

struct FilterCase {
  std::u16string keyword1;
  std::u16string keyword2;
  int connective;
  std::vector<int> rows;  // listed upper rows, in order
};

TEST(FilterRows, ListsTheMatchingRowsInOrder) {
  const FilterCase cases[] = {
      // Hiragana against katakana and half-width katakana.
      {u"れぽーと", u"", kConnectiveAnd, {1, 2}},
      {u"ﾚﾎﾟｰﾄ", u"", kConnectiveAnd, {1, 2}},
      // Case, width and spaces.
      {u"abc", u"", kConnectiveAnd, {6, 7, 8}},
      {u"ＡＢＣ", u"", kConnectiveAnd, {6, 7, 8}},
      {u"a b c", u"", kConnectiveAnd, {6, 7, 8}},
      {u" 1 2", u"", kConnectiveAnd, {9}},
      {u"12", u"", kConnectiveAnd, {9}},
      // The connective.
      {u"report", u"plan", kConnectiveAnd, {5}},
      {u"report", u"plan", kConnectiveOr, {3, 4, 5}},
      {u"report", u"plan", -1, {3, 5}},
      {u"REPORT", u"", kConnectiveOr, {3, 5}},
      // A second keyword that normalises to empty is no condition.
      {u"report", u"\u3000", kConnectiveAnd, {3, 5}},
      // A first keyword of one ideographic space is not blank but
      // normalises to empty: it occurs nowhere.
      {u"\u3000", u"plan", kConnectiveAnd, {}},
      {u"\u3000", u"plan", kConnectiveOr, {4, 5}},
      {u"\u3000", u"plan", -1, {}},
      {u"\u3000", u"", kConnectiveOr, {}},
      // Decomposed names match composed keywords and the other way round.
      {u"ガイド", u"", kConnectiveAnd, {10}},
      {u"がいど", u"", kConnectiveAnd, {10}},
      {u"カ\u3099", u"", kConnectiveAnd, {10}},
      // Only the file name is searched.
      {u"dir", u"", kConnectiveAnd, {}},
      {u"xyz", u"", kConnectiveOr, {}},
  };
  const base::ResultTable upper = MakeUpper();
  for (const FilterCase& c : cases) {
    base::ResultTable lower(7, 2);
    CountingHost host;
    ASSERT_TRUE(FilterRows(upper, lower, c.keyword1, c.keyword2, c.connective, Keys(), host))
        << Show(c.keyword1);
    const std::vector<int> rows = CopiedRows(upper, lower);
    EXPECT_EQ(rows, c.rows) << Show(c.keyword1) << " " << Show(c.keyword2) << " " << c.connective;
    EXPECT_EQ(lower.RowCount(), std::max<int>(2, static_cast<int>(c.rows.size()) + 1));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].first, base::CountBox::Selected);
    EXPECT_EQ(host.shown[0].second, static_cast<int>(c.rows.size()));
  }
}

TEST(FilterRows, NothingMatchingLeavesOneBlankRowAndCountZero) {
  const base::ResultTable upper = MakeUpper();
  base::ResultTable lower = MakeUpper();  // full of earlier results
  CountingHost host;
  ASSERT_TRUE(FilterRows(upper, lower, u"nothing", u"", kConnectiveAnd, Keys(), host));
  EXPECT_EQ(lower.RowCount(), 2);
  for (int c = 0; c < lower.ColCount(); ++c) EXPECT_EQ(lower.Cell(c, 1), u"") << c;
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].second, 0);
}

TEST(FilterRows, ReplacesEarlierResults) {
  const base::ResultTable upper = MakeUpper();
  base::ResultTable lower = MakeUpper();
  CountingHost host;
  ASSERT_TRUE(FilterRows(upper, lower, u"memo", u"", kConnectiveAnd, Keys(), host));
  EXPECT_EQ(lower.RowCount(), 2);
  EXPECT_EQ(CopiedRows(upper, lower), std::vector<int>{11});
  EXPECT_EQ(host.shown.back().second, 1);
}

TEST(FilterRows, BlankFirstKeywordChangesNothing) {
  const std::u16string blanks[] = {u"", u" ", u"\t\r\n ", std::u16string(1, u'\0')};
  const base::ResultTable upper = MakeUpper();
  for (const std::u16string& blank : blanks) {
    base::ResultTable lower(7, 4);
    for (int r = 1; r < 4; ++r)
      lower.SetCell(base::kColName, r, u"kept" + base::FormatNumber(r, 1));
    CountingHost host;
    EXPECT_FALSE(FilterRows(upper, lower, blank, u"plan", kConnectiveOr, Keys(), host))
        << Show(blank);
    EXPECT_EQ(lower.RowCount(), 4);
    for (int r = 1; r < 4; ++r)
      EXPECT_EQ(lower.Cell(base::kColName, r), u"kept" + base::FormatNumber(r, 1));
    EXPECT_TRUE(host.shown.empty());
  }
}

TEST(FilterRows, SearchesLongNamesWhole) {
  // The half-width form of this name is far longer than 256 code units;
  // its end must still be found.
  std::u16string longName;
  for (int i = 0; i < 200; ++i) longName += u"ガ";
  longName += u"最終版.xlsx";
  base::ResultTable upper(6, 2);
  upper.SetCell(base::kColNumber, 1, base::FormatNumber(1, 4));
  upper.SetCell(base::kColName, 1, longName);
  upper.SetRowCount(3);
  upper.SetCell(base::kColNumber, 2, base::FormatNumber(2, 4));
  upper.SetCell(base::kColName, 2, u"最終版.xlsx");
  base::ResultTable lower(6, 2);
  CountingHost host;
  ASSERT_TRUE(FilterRows(upper, lower, u"がが最終版", u"", kConnectiveAnd, Keys(), host));
  EXPECT_EQ(CopiedRows(upper, lower), std::vector<int>{1});
  ASSERT_TRUE(FilterRows(upper, lower, u"最終版.XLSX", u"", kConnectiveAnd, Keys(), host));
  EXPECT_EQ(CopiedRows(upper, lower), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace tarnvik::core
