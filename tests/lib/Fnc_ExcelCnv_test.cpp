#include "lib/Fnc_ExcelCnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "lib/Fnc_Grid.h"

namespace tarnvik::lib {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Records every call as one line of text ("Width A1:A2 9") and the value
// blocks apart; can be told to fail at the n-th call.
class RecordingSpreadsheet : public platform::Spreadsheet {
 public:
  std::vector<std::string> calls;
  std::vector<platform::TextBlock> blocks;
  int failAt = -1;  // index of the call that throws
  enum class Throw { Spreadsheet, BadAlloc, Int } kind = Throw::Spreadsheet;

  void Connect() override { Record("Connect"); }
  void SetVisible(bool visible) override { Record(visible ? "Visible 1" : "Visible 0"); }
  void AddWorkbook() override { Record("AddWorkbook"); }
  void ConnectActiveWorkbook() override { Record("ActiveWorkbook"); }
  void ConnectActiveSheet() override { Record("ActiveSheet"); }
  void SetRangeValue(std::u16string_view first, std::u16string_view last,
                     const platform::TextBlock& values) override {
    Record("Value " + Range(first, last) + " " + std::to_string(values.rows) + "x" +
           std::to_string(values.cols));
    blocks.push_back(values);
  }
  void SetRangeFontName(std::u16string_view first, std::u16string_view last,
                        std::u16string_view fontName) override {
    Record("Font " + Range(first, last) + " " + base::ToUtf8(fontName));
  }
  void SetRangeColumnWidth(std::u16string_view first, std::u16string_view last,
                           int characters) override {
    Record("Width " + Range(first, last) + " " + std::to_string(characters));
  }
  void Disconnect() override { Record("Disconnect"); }

 private:
  static std::string Range(std::u16string_view a, std::u16string_view b) {
    return base::ToUtf8(a) + ":" + base::ToUtf8(b);
  }
  void Record(std::string call) {
    calls.push_back(std::move(call));
    if (static_cast<int>(calls.size()) - 1 == failAt) {
      switch (kind) {
        case Throw::Spreadsheet:
          throw platform::SpreadsheetError("refused");
        case Throw::BadAlloc:
          throw std::bad_alloc();
        case Throw::Int:
          throw 42;
      }
    }
  }
};

struct RecordingHost : base::EngineHost {
  std::vector<std::u16string> messages;
  void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
};

// A cleared table in the given layout: headers and one blank data row.
base::ResultTable LayoutTable(base::SortOrder mode) {
  base::ResultTable upper, lower;
  base::EngineHost host;
  core::ApplyColumnLayout(mode, upper, lower, host);
  ClearGrid(upper);
  return upper;
}

void AddRow(base::ResultTable& t, std::vector<std::u16string> cells) {
  const int r = t.RowCount() - 1;
  for (size_t c = 0; c < cells.size(); ++c) t.SetCell(static_cast<int>(c), r, cells[c]);
  t.SetRowCount(t.RowCount() + 1);
}

std::vector<std::u16string> Texts(const platform::TextBlock& b) { return b.cells; }

TEST(CellAddress, FollowsTheSpreadsheetsColumnLetters) {
  struct Case {
    int col, row;
    const char16_t* address;
  } const cases[] = {
      {1, 1, u"A1"},         {26, 10, u"Z10"}, {27, 1, u"AA1"},   {52, 3, u"AZ3"},
      {53, 1, u"BA1"},       {78, 2, u"BZ2"},  {79, 2, u"CA2"},   {256, 256, u"IV256"},
      {2, 20001, u"B20001"}, {702, 1, u"ZZ1"}, {703, 1, u"AAA1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CellAddress(c.col, c.row), c.address) << c.col << "," << c.row;
  }
}

TEST(ExcelExport, EmptyResultWritesHeaderAndOneEmptyRowWithHeaderWidths) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  RecordingSpreadsheet sheet;
  RecordingHost host;
  ASSERT_TRUE(ExcelExport(t, sheet, host));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_THAT(sheet.calls,
              ElementsAre("Connect", "Visible 1", "AddWorkbook", "ActiveWorkbook", "ActiveSheet",
                          "Font A1:E2 ＭＳ ゴシック", "Width A1:A2 9", "Width B1:B2 11",
                          "Width C1:C2 9", "Width D1:D2 4", "Width E1:E2 5", "Value A1:E1 1x5",
                          "Value A2:A2 1x1", "Value B2:B2 1x1", "Value C2:C2 1x1",
                          "Value D2:D2 1x1", "Value E2:E2 1x1", "Disconnect"));
  ASSERT_EQ(sheet.blocks.size(), 6u);
  EXPECT_THAT(Texts(sheet.blocks[0]),
              ElementsAre(u"File Name", u"Folder Name", u"Date Time", u"Size", u"Check"));
  for (size_t b = 1; b < sheet.blocks.size(); ++b)
    EXPECT_THAT(Texts(sheet.blocks[b]), ElementsAre(u""));
}

TEST(ExcelExport, ExtensionLayoutExportsSixColumnsAsTextsColumnByColumn) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByExtension);
  AddRow(t, {u"   1", u"book.xls", u"Plans", u"2024.01.02 03:04:06", u"  1234", u"", u"XLS"});
  AddRow(t, {u"   2", u"book.xls", u"", u"2024.01.02 03:04:06", u"    12", u"Same", u"XLS"});
  AddRow(t, {u"   3", u"=1+1", u"@x", u"", u"     0", u"Name", u""});
  t.SetRowCount(t.RowCount() - 1);
  RecordingSpreadsheet sheet;
  RecordingHost host;
  ASSERT_TRUE(ExcelExport(t, sheet, host));
  EXPECT_THAT(
      sheet.calls,
      ElementsAre("Connect", "Visible 1", "AddWorkbook", "ActiveWorkbook", "ActiveSheet",
                  "Font A1:F4 ＭＳ ゴシック", "Width A1:A4 8", "Width B1:B4 5", "Width C1:C4 19",
                  "Width D1:D4 6", "Width E1:E4 5", "Width F1:F4 3", "Value A1:F1 1x6",
                  "Value A2:A4 3x1", "Value B2:B4 3x1", "Value C2:C4 3x1", "Value D2:D4 3x1",
                  "Value E2:E4 3x1", "Value F2:F4 3x1", "Disconnect"));
  EXPECT_THAT(Texts(sheet.blocks[0]),
              ElementsAre(u"File Name", u"Folder Name", u"Date Time", u"Size", u"Check", u"Ext."));
  EXPECT_THAT(Texts(sheet.blocks[1]), ElementsAre(u"book.xls", u"book.xls", u"=1+1"));
  EXPECT_THAT(Texts(sheet.blocks[2]), ElementsAre(u"Plans", u"", u"@x"));
  EXPECT_THAT(Texts(sheet.blocks[4]), ElementsAre(u"  1234", u"    12", u"     0"));
  EXPECT_THAT(Texts(sheet.blocks[5]), ElementsAre(u"", u"Same", u"Name"));
  EXPECT_THAT(Texts(sheet.blocks[6]), ElementsAre(u"XLS", u"XLS", u""));
}

TEST(FormatSheet, WidthOfALongFirstRowIsClampedToTheWidestColumn) {
  struct Case {
    size_t chars;
    int width;
  } const cases[] = {{254, 254}, {255, 255}, {256, 255}, {300, 255}, {5000, 255}};
  for (const auto& c : cases) {
    base::ResultTable t = LayoutTable(base::SortOrder::ByName);
    t.SetCell(base::kColName, 1, std::u16string(c.chars, u'n'));
    RecordingSpreadsheet sheet;
    FormatSheet(t, sheet, 0, 0);
    EXPECT_EQ(sheet.calls[1], "Width A1:A2 " + std::to_string(c.width)) << c.chars;
  }
}

TEST(FormatSheet, ExportsAtMost256ColumnsAndWorksFromA1WhateverTheOffsets) {
  base::ResultTable t(300, 3);
  for (int c = 0; c < 300; ++c) {
    t.SetCell(c, 0, u"h" + base::FromUtf8(std::to_string(c)));
    t.SetCell(c, 1, base::FromUtf8(std::to_string(c)));
  }
  RecordingSpreadsheet sheet;
  FormatSheet(t, sheet, 4, 2);
  // One font call, 256 widths, one header block and 256 column blocks.
  ASSERT_EQ(sheet.calls.size(), 1u + 256 + 1 + 256);
  EXPECT_EQ(sheet.calls[0], "Font A1:IV3 ＭＳ ゴシック");
  EXPECT_EQ(sheet.calls[1], "Width A1:A3 1");
  EXPECT_EQ(sheet.calls[256], "Width IV1:IV3 3");
  EXPECT_EQ(sheet.calls[257], "Value C5:IX5 1x256");
  EXPECT_EQ(sheet.calls[258], "Value C6:C7 2x1");
  EXPECT_EQ(sheet.calls.back(), "Value IX6:IX7 2x1");
  EXPECT_EQ(sheet.blocks[0].At(0, 255), u"h256");
  EXPECT_EQ(sheet.blocks.back().At(0, 0), u"256");
}

TEST(WriteGridToSheet, CallCountGrowsWithColumnsNotRows) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  for (int r = 1; r <= 5000; ++r) {
    AddRow(t, {base::FormatNumber(r, 4), base::FromUtf8("f" + std::to_string(r) + ".txt")});
  }
  t.SetRowCount(t.RowCount() - 1);
  RecordingSpreadsheet sheet;
  WriteGridToSheet(t, sheet, 0, 0);
  EXPECT_THAT(sheet.calls, ElementsAre("Value A1:E1 1x5", "Value A2:A5001 5000x1",
                                       "Value B2:B5001 5000x1", "Value C2:C5001 5000x1",
                                       "Value D2:D5001 5000x1", "Value E2:E5001 5000x1"));
  EXPECT_EQ(sheet.blocks[1].At(4999, 0), u"f5000.txt");
}

TEST(WriteGridToSheet, CutsCellsLongerThanASpreadsheetCellHolds) {
  const std::u16string limit(kExcelMaxCellLength, u'a');
  const std::u16string pair = u"\U0001F600";  // two code units
  struct Case {
    const char* what;
    std::u16string cell;
    std::u16string exported;
  } const cases[] = {
      {"at the limit", limit, limit},
      {"far beyond it", std::u16string(100000, u'b'), std::u16string(kExcelMaxCellLength, u'b')},
      {"one beyond it", limit + u"c", limit},
      {"a pair across the limit", limit.substr(1) + pair + u"d", limit.substr(1)},
      {"a pair just inside the limit", limit.substr(2) + pair + u"d", limit.substr(2) + pair},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    base::ResultTable t = LayoutTable(base::SortOrder::ByName);
    AddRow(t, {u"   1", u"deep.txt", c.cell, u"", u"     1"});
    t.SetRowCount(t.RowCount() - 1);
    RecordingSpreadsheet sheet;
    WriteGridToSheet(t, sheet, 0, 0);
    ASSERT_EQ(sheet.blocks.size(), 6u);
    EXPECT_EQ(sheet.blocks[1].At(0, 0), u"deep.txt");
    EXPECT_TRUE(sheet.blocks[2].At(0, 0) == c.exported) << sheet.blocks[2].At(0, 0).size();
  }
}

TEST(ExcelExport, AnyFailureStopsThereShowsTheMessageOnceAndIsNotPassedOn) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  AddRow(t, {u"   1", u"a.txt", u"", u"2024.01.02 03:04:06", u"     1", u""});
  t.SetRowCount(t.RowCount() - 1);
  RecordingSpreadsheet full;
  RecordingHost quiet;
  ASSERT_TRUE(ExcelExport(t, full, quiet));
  const std::vector<std::string> all = full.calls;

  for (auto kind : {RecordingSpreadsheet::Throw::Spreadsheet, RecordingSpreadsheet::Throw::BadAlloc,
                    RecordingSpreadsheet::Throw::Int}) {
    for (int k = 0; k < static_cast<int>(all.size()); ++k) {
      RecordingSpreadsheet sheet;
      sheet.failAt = k;
      sheet.kind = kind;
      RecordingHost host;
      bool ok = true;
      EXPECT_NO_THROW(ok = ExcelExport(t, sheet, host));
      EXPECT_FALSE(ok) << all[k];
      EXPECT_THAT(host.messages,
                  ElementsAre(base::FromUtf8("Ｅｘｃｅｌ変換処理に失敗しました！！")))
          << all[k];
      EXPECT_THAT(sheet.calls, ElementsAreArray(all.begin(), all.begin() + k + 1)) << all[k];
    }
  }
}

TEST(ExcelExport, WritesCp932NamesAsTheGridsShowThem) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  // レポート.xls in CP932, in the folder 書類/議事録 of which only the inner
  // part is CP932; then a name that is no CP932 either.
  AddRow(t, {u"   1", base::NativeToText("\x83\x8c\x83|\x81[\x83g.xls"),
             base::NativeToText("書類/\x8b"
                                "c\x8e\x96\x98^"),
             u"", u"", u""});
  AddRow(t, {u"   2", base::NativeToText("abc\xff"), u"", u"", u"", u""});
  t.SetRowCount(t.RowCount() - 1);
  RecordingSpreadsheet sheet;
  RecordingHost host;
  ASSERT_TRUE(ExcelExport(t, sheet, host));
  ASSERT_EQ(sheet.blocks.size(), 6u);
  EXPECT_THAT(Texts(sheet.blocks[1]), ElementsAre(u"レポート.xls", u"abc\xDCFF"));
  EXPECT_THAT(Texts(sheet.blocks[2]), ElementsAre(u"書類/議事録", u""));
  // Widths count the characters shown, not the bytes behind them.
  EXPECT_THAT(sheet.calls, ::testing::Contains("Width A1:A3 8"));
  EXPECT_THAT(sheet.calls, ::testing::Contains("Width B1:B3 6"));
}

}  // namespace
}  // namespace tarnvik::lib
