#include "platform/xlsx/XlsxSpreadsheet.h"

#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "lib/Fnc_ExcelCnv.h"
#include "lib/Fnc_Grid.h"
#include "platform/posix/PosixLocalClock.h"

namespace tarnvik::platform {
namespace {

using base::FromUtf8;
using ::testing::ElementsAre;

// ---- reading a workbook back -------------------------------------------

std::string Shell(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

// Paths here are made by the tests and hold no quote.
std::string Unzip(const std::string& file, const std::string& member) {
  return Shell("unzip -p '" + file + "' '" + member + "' 2>/dev/null");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// True when every byte is part of valid UTF-8 and every character is one
// XML 1.0 allows: what a reader needs to open the part at all.
bool IsXmlText(const std::string& xml) {
  const std::u16string text = base::NativeToText(xml);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') return false;
    if (u == 0xFFFE || u == 0xFFFF) return false;
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return false;  // a byte that is not UTF-8
    }
  }
  return true;
}

// XML character data back to text: entities, then the format's _xHHHH_.
std::u16string DecodeText(const std::string& xml) {
  std::string s;
  for (size_t i = 0; i < xml.size();) {
    static const std::pair<const char*, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    bool done = false;
    for (const auto& [name, ch] : kEntities) {
      if (xml.compare(i, std::strlen(name), name) == 0) {
        s.push_back(ch);
        i += std::strlen(name);
        done = true;
        break;
      }
    }
    if (!done) s.push_back(xml[i++]);
  }
  const std::u16string t = base::FromUtf8(s);
  std::u16string out;
  for (size_t i = 0; i < t.size();) {
    if (t[i] == u'_' && i + 7 <= t.size() && t[i + 1] == u'x' && t[i + 6] == u'_') {
      const std::string hex = base::ToUtf8(t.substr(i + 2, 4));
      if (hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
        out.push_back(static_cast<char16_t>(std::stoi(hex, nullptr, 16)));
        i += 7;
        continue;
      }
    }
    out.push_back(t[i++]);
  }
  return out;
}

struct SheetCell {
  int style = -1;
  std::string type;   // "s" for a shared string
  std::string value;  // <v> content
  bool hasFormula = false;
};

struct Workbook {
  std::string sheetXml;
  std::map<std::string, SheetCell> cells;  // by A1 address
  std::vector<std::u16string> strings;     // shared strings, decoded
  std::vector<std::string> fontNames;      // by font id
  std::vector<int> xfFonts;                // cell style -> font id
  std::map<int, double> widths;            // column from 1 -> width
  std::string dimension;
  bool partsAreXml = false;

  // The text of a string cell; nullopt for anything else.
  std::optional<std::u16string> Text(const std::string& ref) const {
    auto it = cells.find(ref);
    if (it == cells.end() || it->second.type != "s") return std::nullopt;
    return strings.at(std::stoul(it->second.value));
  }
  std::string FontOf(const std::string& ref) const {
    auto it = cells.find(ref);
    if (it == cells.end() || it->second.style < 0) return "(none)";
    return fontNames.at(xfFonts.at(it->second.style));
  }
};

// The tags (from "<name" up to ">") and, for elements that are not empty,
// the text up to the closing tag, of every element `name` in `xml`.
struct Element {
  std::string tag;
  std::string body;
};
std::vector<Element> Elements(const std::string& xml, const std::string& name) {
  std::vector<Element> out;
  const std::string open = "<" + name;
  const std::string close = "</" + name + ">";
  for (size_t pos = xml.find(open); pos != std::string::npos; pos = xml.find(open, pos + 1)) {
    const char next = pos + open.size() < xml.size() ? xml[pos + open.size()] : '\0';
    if (next != ' ' && next != '>' && next != '/') continue;  // a longer name
    const size_t end = xml.find('>', pos);
    if (end == std::string::npos) break;
    Element e{xml.substr(pos, end + 1 - pos), ""};
    if (xml[end - 1] != '/') {
      const size_t stop = xml.find(close, end);
      if (stop == std::string::npos) break;
      e.body = xml.substr(end + 1, stop - end - 1);
    }
    out.push_back(std::move(e));
  }
  return out;
}

// The value of attribute `name` in a tag; empty when it has none.
std::string Attr(const std::string& tag, const std::string& name) {
  const std::string key = " " + name + "=\"";
  const size_t pos = tag.find(key);
  if (pos == std::string::npos) return {};
  const size_t from = pos + key.size();
  return tag.substr(from, tag.find('"', from) - from);
}

Workbook ReadWorkbook(const std::string& path) {
  Workbook wb;
  wb.sheetXml = Unzip(path, "xl/worksheets/sheet1.xml");
  const std::string sst = Unzip(path, "xl/sharedStrings.xml");
  const std::string styles = Unzip(path, "xl/styles.xml");
  wb.partsAreXml =
      !wb.sheetXml.empty() && IsXmlText(wb.sheetXml) && IsXmlText(sst) && IsXmlText(styles);

  for (const Element& d : Elements(wb.sheetXml, "dimension")) wb.dimension = Attr(d.tag, "ref");
  for (const Element& e : Elements(wb.sheetXml, "c")) {
    SheetCell c;
    const std::string style = Attr(e.tag, "s");
    if (!style.empty()) c.style = std::stoi(style);
    c.type = Attr(e.tag, "t");
    for (const Element& v : Elements(e.body, "v")) c.value = v.body;
    c.hasFormula = !Elements(e.body, "f").empty();
    wb.cells[Attr(e.tag, "r")] = c;
  }
  for (const Element& e : Elements(wb.sheetXml, "col")) {
    for (int c = std::stoi(Attr(e.tag, "min")); c <= std::stoi(Attr(e.tag, "max")); ++c) {
      wb.widths[c] = std::stod(Attr(e.tag, "width"));
    }
  }
  for (const Element& si : Elements(sst, "si")) {
    const std::vector<Element> t = Elements(si.body, "t");
    wb.strings.push_back(t.size() == 1 ? DecodeText(t[0].body) : u"?");
  }
  for (const Element& f : Elements(styles, "font")) {
    const std::vector<Element> name = Elements(f.body, "name");
    wb.fontNames.push_back(name.size() == 1 ? Attr(name[0].tag, "val") : "?");
  }
  for (const Element& xfs : Elements(styles, "cellXfs")) {
    for (const Element& xf : Elements(xfs.body, "xf")) {
      wb.xfFonts.push_back(std::stoi(Attr(xf.tag, "fontId")));
    }
  }
  return wb;
}

// ---- fixtures ----------------------------------------------------------

struct RecordingHost : base::EngineHost {
  std::vector<std::u16string> messages;
  void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
};

std::vector<std::string> ListFolder(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") {
        names.push_back(e->d_name);
      }
    }
    closedir(d);
  }
  return names;
}

class XlsxSpreadsheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tarnvik-xlsx-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    SaveEnv("XDG_CACHE_HOME");
    SaveEnv("HOME");
    setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : savedEnv_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    Shell("rm -rf '" + root_ + "'");
  }

  void SaveEnv(const char* name) {
    const char* v = std::getenv(name);
    savedEnv_[name] = v ? std::optional<std::string>(v) : std::nullopt;
  }

  // Exports through the cache folder and returns the file handed to the
  // opener ("" when none was).
  std::string ExportForViewing(const base::ResultTable& table, bool* ok = nullptr,
                               bool openerSucceeds = true) {
    std::vector<std::string> opened;
    XlsxSpreadsheet sheet = XlsxSpreadsheet::ForViewing(
        [&](const std::string& path) {
          opened.push_back(path);
          return openerSucceeds;
        },
        clock_);
    const bool result = lib::ExcelExport(table, sheet, host_);
    if (ok) *ok = result;
    EXPECT_LE(opened.size(), 1u);
    return opened.empty() ? std::string() : opened.front();
  }

  std::string root_;
  RecordingHost host_;
  platform::PosixLocalClock clock_;
  std::map<std::string, std::optional<std::string>> savedEnv_;
};

base::ResultTable LayoutTable(base::SortOrder mode) {
  base::ResultTable upper, lower;
  base::EngineHost host;
  core::ApplyColumnLayout(mode, upper, lower, host);
  lib::ClearGrid(upper);
  return upper;
}

void AddRow(base::ResultTable& t, std::vector<std::u16string> cells) {
  const int r = t.RowCount() - 1;
  for (size_t c = 0; c < cells.size(); ++c) t.SetCell(static_cast<int>(c), r, cells[c]);
  t.SetRowCount(t.RowCount() + 1);
}

void DropTrailingRow(base::ResultTable& t) {
  if (t.RowCount() > 2) t.SetRowCount(t.RowCount() - 1);
}

const std::string kFont = "ＭＳ ゴシック";

// ---- the tests ---------------------------------------------------------

TEST_F(XlsxSpreadsheetTest, ExportWritesEveryCellAsTextWithFontAndWidths) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  AddRow(t, {u"   1", u"報告書.xlsx", u"資料/2024", u"2024.01.02 03:04:06", u"  1234", u""});
  AddRow(t, {u"   2", u"報告書.xlsx", u"", u"2024.01.02 03:04:06", u"    12", u"Same"});
  DropTrailingRow(t);

  const std::string path = ExportForViewing(t);
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(path.rfind(root_ + "/cache/tarnvik/Tarnvik-", 0), 0u) << path;
  EXPECT_EQ(path.substr(path.size() - 5), ".xlsx");

  const Workbook wb = ReadWorkbook(path);
  ASSERT_TRUE(wb.partsAreXml);
  EXPECT_EQ(wb.dimension, "A1:E3");
  const char* cols = "ABCDE";
  for (int c = 1; c <= 5; ++c) {
    for (int r = 0; r < t.RowCount(); ++r) {
      const std::string ref = std::string(1, cols[c - 1]) + std::to_string(r + 1);
      SCOPED_TRACE(ref);
      EXPECT_EQ(wb.FontOf(ref), kFont);
      if (t.Cell(c, r).empty()) {
        ASSERT_EQ(wb.cells.count(ref), 1u);
        EXPECT_EQ(wb.cells.at(ref).type, "");
        EXPECT_EQ(wb.cells.at(ref).value, "");
      } else {
        EXPECT_EQ(wb.Text(ref), t.Cell(c, r));
      }
    }
  }
  EXPECT_EQ(wb.cells.count("F1"), 0u);
  // The first data row's lengths in code units; the empty check cell takes
  // its header's.
  const int expected[] = {8, 7, 19, 6, 5};
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(static_cast<int>(wb.widths.at(c)), expected[c - 1]) << c;
}

TEST_F(XlsxSpreadsheetTest, EmptyResultKeepsItsShapeWithHeaderWidths) {
  const base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  const Workbook wb = ReadWorkbook(ExportForViewing(t));
  ASSERT_TRUE(wb.partsAreXml);
  EXPECT_EQ(wb.dimension, "A1:E2");
  EXPECT_EQ(wb.Text("A1"), u"File Name");
  EXPECT_EQ(wb.Text("E1"), u"Check");
  for (const char* ref : {"A2", "B2", "C2", "D2", "E2"}) {
    ASSERT_EQ(wb.cells.count(ref), 1u) << ref;
    EXPECT_EQ(wb.cells.at(ref).type, "") << ref;
    EXPECT_EQ(wb.FontOf(ref), kFont) << ref;
  }
  std::vector<int> widths;
  for (const auto& [col, w] : wb.widths) widths.push_back(static_cast<int>(w));
  EXPECT_THAT(widths, ElementsAre(9, 11, 9, 4, 5));
}

TEST_F(XlsxSpreadsheetTest, ExtensionLayoutFillsAToFWithTheExtensionTexts) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByExtension);
  AddRow(t, {u"   1", u"a.pdf", u"", u"2024.01.02 03:04:06", u"     1", u"", u"PDF"});
  AddRow(t, {u"   2", u"readme", u"", u"2024.01.02 03:04:06", u"     2", u"", u""});
  DropTrailingRow(t);
  const Workbook wb = ReadWorkbook(ExportForViewing(t));
  EXPECT_EQ(wb.dimension, "A1:F3");
  EXPECT_EQ(wb.Text("F1"), u"Ext.");
  EXPECT_EQ(wb.Text("F2"), u"PDF");
  EXPECT_EQ(wb.cells.at("F3").type, "");
  EXPECT_EQ(static_cast<int>(wb.widths.at(6)), 3);
}

TEST_F(XlsxSpreadsheetTest, TextsThatLookLikeFormulasOrNumbersStayTexts) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  const std::u16string values[] = {u"=1+1", u"@x", u" 12", u"+1", u"-1", u"1e5", u"TRUE", u"0012"};
  for (const auto& v : values) AddRow(t, {u"", v, u"", u"", u"     1", u""});
  DropTrailingRow(t);
  const Workbook wb = ReadWorkbook(ExportForViewing(t));
  for (size_t i = 0; i < std::size(values); ++i) {
    const std::string ref = "A" + std::to_string(i + 2);
    EXPECT_EQ(wb.Text(ref), values[i]) << ref;
    EXPECT_FALSE(wb.cells.at(ref).hasFormula) << ref;
    EXPECT_EQ(wb.Text("D" + std::to_string(i + 2)), u"     1");
  }
}

TEST_F(XlsxSpreadsheetTest, CharactersXmlCannotHoldStillGiveAWorkbookThatOpens) {
  struct Case {
    std::u16string text;
    std::u16string reads;
  } const cases[] = {
      {u"bell\x07|esc\x1B|nul", u"bell\x07|esc\x1B|nul"},
      {std::u16string(u"a\0b", 3), std::u16string(u"a\0b", 3)},
      {u"cr\rlf\ntab\t", u"cr\rlf\ntab\t"},
      {u"bad\xDCFF\xDC80"
       u"byte",
       u"bad\xFFFD\xFFFD"
       u"byte"},
      {u"lone high \xD800!", u"lone high \xFFFD!"},
      {u"pair \xD83D\xDE00", u"pair \xD83D\xDE00"},
      {u"nonchar \xFFFE\xFFFF", u"nonchar \xFFFE\xFFFF"},
      {u"literal _x0041_ and _X0041_ and _x00e9_", u"literal _x0041_ and _X0041_ and _x00e9_"},
      {u"<b>&amp;\"'</b>", u"<b>&amp;\"'</b>"},
  };
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  for (const auto& c : cases) AddRow(t, {u"", c.text, c.text});
  DropTrailingRow(t);
  const std::string path = ExportForViewing(t);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(Shell("unzip -tqq '" + path + "' >/dev/null 2>&1; echo $?"), "0\n");
  const Workbook wb = ReadWorkbook(path);
  EXPECT_TRUE(wb.partsAreXml);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(wb.Text("A" + std::to_string(i + 2)), cases[i].reads) << i;
    EXPECT_EQ(wb.Text("B" + std::to_string(i + 2)), cases[i].reads) << i;
  }
}

TEST_F(XlsxSpreadsheetTest, LongFirstRowGetsTheWidestColumn) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  AddRow(t, {u"", std::u16string(300, u'n') + u".txt", std::u16string(255, u'd')});
  DropTrailingRow(t);
  bool ok = false;
  const Workbook wb = ReadWorkbook(ExportForViewing(t, &ok));
  EXPECT_TRUE(ok);
  EXPECT_EQ(static_cast<int>(wb.widths.at(1)), 255);
  EXPECT_EQ(static_cast<int>(wb.widths.at(2)), 255);
  EXPECT_EQ(wb.Text("A2"), std::u16string(300, u'n') + u".txt");
}

TEST_F(XlsxSpreadsheetTest, TwoExportsGetTwoNewFilesAndNeverOverwriteOne) {
  // Files already under the names the next exports could pick.
  const std::string folder = root_ + "/cache/tarnvik";
  ASSERT_EQ(Shell("mkdir -p '" + folder + "' && echo ok"), "ok\n");
  const std::time_t now = std::time(nullptr);
  std::vector<std::string> planted;
  for (std::time_t s = now - 1; s <= now + 3; ++s) {
    std::tm local{};
    localtime_r(&s, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int k = 1; k <= 2; ++k) {
      planted.push_back(folder + "/Tarnvik-" + stamp + "-" + std::to_string(k) + ".xlsx");
      std::ofstream(planted.back()) << "keep";
    }
  }
  const base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  const std::string first = ExportForViewing(t);
  const std::string second = ExportForViewing(t);
  std::vector<std::string> opened;
  XlsxSpreadsheet reused = XlsxSpreadsheet::ForViewing(
      [&](const std::string& p) {
        opened.push_back(p);
        return true;
      },
      clock_);
  ASSERT_TRUE(lib::ExcelExport(t, reused, host_));
  ASSERT_TRUE(lib::ExcelExport(t, reused, host_));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(reused.SavedPath(), opened[1]);

  const std::vector<std::string> made = {first, second, opened[0], opened[1]};
  for (size_t i = 0; i < made.size(); ++i) {
    ASSERT_FALSE(made[i].empty());
    EXPECT_EQ(ReadWorkbook(made[i]).Text("A1"), u"File Name") << made[i];
    for (size_t j = 0; j < i; ++j) EXPECT_NE(made[i], made[j]);
  }
  for (const std::string& p : planted) EXPECT_EQ(ReadFile(p), "keep") << p;
  EXPECT_EQ(ListFolder(folder).size(), planted.size() + made.size());
}

TEST_F(XlsxSpreadsheetTest, CacheFolderFollowsXdgThenHome) {
  setenv("XDG_CACHE_HOME", "/x/cache", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(XlsxSpreadsheet::CacheFolder(), "/x/cache/tarnvik");
  setenv("XDG_CACHE_HOME", "relative/cache", 1);
  EXPECT_EQ(XlsxSpreadsheet::CacheFolder(), "/home/u/.cache/tarnvik");
  unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(XlsxSpreadsheet::CacheFolder(), "/home/u/.cache/tarnvik");
  setenv("HOME", "/", 1);
  EXPECT_EQ(XlsxSpreadsheet::CacheFolder(), "/.cache/tarnvik");
  unsetenv("HOME");
  EXPECT_EQ(XlsxSpreadsheet::CacheFolder(), "");

  // The fallback folder is created on the first export.
  setenv("HOME", root_.c_str(), 1);
  const std::string path = ExportForViewing(LayoutTable(base::SortOrder::ByName));
  EXPECT_EQ(path.rfind(root_ + "/.cache/tarnvik/Tarnvik-", 0), 0u) << path;
}

TEST_F(XlsxSpreadsheetTest, FailedSaveOrOpenReportsFailure) {
  const base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  const std::u16string message = base::FromUtf8("Ｅｘｃｅｌ変換処理に失敗しました！！");
  // A regular file where the cache folder should be: no folder can be made,
  // whatever the permissions of the user running the test.
  std::ofstream(root_ + "/blocker") << "x";
  const struct {
    const char* name;
    std::string xdg;
    bool openerSucceeds;
  } cases[] = {
      {"cache is a file", root_ + "/blocker", true},
      {"cache below a file", root_ + "/blocker/deeper", true},
      {"opener fails", root_ + "/cache", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host_.messages.clear();
    setenv("XDG_CACHE_HOME", c.xdg.c_str(), 1);
    bool ok = true;
    const std::string opened = ExportForViewing(t, &ok, c.openerSucceeds);
    EXPECT_FALSE(ok);
    EXPECT_THAT(host_.messages, ElementsAre(message));
    EXPECT_EQ(opened.empty(), c.openerSucceeds);
  }
  unsetenv("XDG_CACHE_HOME");
  unsetenv("HOME");
  host_.messages.clear();
  bool ok = true;
  ExportForViewing(t, &ok);
  EXPECT_FALSE(ok);
  EXPECT_THAT(host_.messages, ElementsAre(message));

  XlsxSpreadsheet noOpener = XlsxSpreadsheet::ForViewing(nullptr, clock_);
  setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  EXPECT_FALSE(lib::ExcelExport(t, noOpener, host_));
}

TEST_F(XlsxSpreadsheetTest, ForFileWritesThatPathAndOpensNothing) {
  base::ResultTable t = LayoutTable(base::SortOrder::ByName);
  AddRow(t, {u"   1", u"a.txt", u"", u"2024.01.02 03:04:06", u"     1", u""});
  DropTrailingRow(t);
  const std::string out = root_ + "/out dir";
  ASSERT_EQ(mkdir(out.c_str(), 0700), 0);
  const std::string target = out + "/result.xlsx";
  std::ofstream(target) << "old";

  XlsxSpreadsheet sheet = XlsxSpreadsheet::ForFile(target);
  ASSERT_TRUE(lib::ExcelExport(t, sheet, host_));
  EXPECT_EQ(sheet.SavedPath(), target);
  EXPECT_EQ(ReadWorkbook(target).Text("A2"), u"a.txt");
  EXPECT_THAT(ListFolder(out), ElementsAre("result.xlsx"));
  EXPECT_TRUE(ListFolder(root_ + "/cache/tarnvik").empty());

  XlsxSpreadsheet nowhere = XlsxSpreadsheet::ForFile(root_ + "/missing/result.xlsx");
  EXPECT_FALSE(lib::ExcelExport(t, nowhere, host_));
  XlsxSpreadsheet unnamed = XlsxSpreadsheet::ForFile("");
  EXPECT_FALSE(lib::ExcelExport(t, unnamed, host_));
  XlsxSpreadsheet onFolder = XlsxSpreadsheet::ForFile(out);
  EXPECT_FALSE(lib::ExcelExport(t, onFolder, host_));
  EXPECT_THAT(ListFolder(out), ElementsAre("result.xlsx"));
  EXPECT_EQ(host_.messages.size(), 3u);
}

// Direct use of the calls, as another front end would make them.
TEST_F(XlsxSpreadsheetTest, CallsOutOfOrderOrWithBadArgumentsThrow) {
  XlsxSpreadsheet s = XlsxSpreadsheet::ForFile(root_ + "/direct.xlsx");
  TextBlock one(1, 1);
  EXPECT_THROW(s.SetVisible(true), SpreadsheetError);
  EXPECT_THROW(s.AddWorkbook(), SpreadsheetError);
  s.Connect();
  EXPECT_THROW(s.ConnectActiveWorkbook(), SpreadsheetError);
  s.AddWorkbook();
  EXPECT_THROW(s.AddWorkbook(), SpreadsheetError);
  EXPECT_THROW(s.ConnectActiveSheet(), SpreadsheetError);
  EXPECT_THROW(s.SetRangeValue(u"A1", u"A1", one), SpreadsheetError);
  s.ConnectActiveWorkbook();
  s.ConnectActiveSheet();
  for (const char16_t* bad : {u"", u"A", u"1", u"A0", u"1A", u"$A$1", u"A1:B2", u"XFE1",
                              u"A1048577", u"AAAA1", u"A 1", u"Ａ1"}) {
    EXPECT_THROW(s.SetRangeValue(bad, u"A1", one), SpreadsheetError) << base::ToUtf8(bad);
  }
  EXPECT_THROW(s.SetRangeValue(u"A1", u"B1", one), SpreadsheetError);
  EXPECT_THROW(s.SetRangeColumnWidth(u"A1", u"A1", 256), SpreadsheetError);
  EXPECT_THROW(s.SetRangeColumnWidth(u"A1", u"A1", -1), SpreadsheetError);
  EXPECT_THROW(s.SetRangeFontName(u"A1", u"A1", u""), SpreadsheetError);
  EXPECT_THROW(s.SetRangeFontName(u"A1", u"XFD1048576", u"Mono"), SpreadsheetError);

  // Values before the font, corners in either order, lower-case letters.
  TextBlock block(2, 2);
  block.At(0, 0) = u"a";
  block.At(0, 1) = u"b";
  block.At(1, 0) = u"c";
  s.SetRangeValue(u"c3", u"B2", block);
  s.SetRangeFontName(u"A1", u"C4", u"ＭＳ ゴシック");
  s.SetRangeColumnWidth(u"B9", u"C1", 0);
  s.SetRangeColumnWidth(u"XFD1", u"XFD1", 255);
  s.Disconnect();
  const Workbook wb = ReadWorkbook(root_ + "/direct.xlsx");
  EXPECT_EQ(wb.Text("B2"), u"a");
  EXPECT_EQ(wb.Text("C2"), u"b");
  EXPECT_EQ(wb.Text("B3"), u"c");
  EXPECT_EQ(wb.cells.at("C3").type, "");
  for (const char* ref : {"A1", "B2", "C3", "C4"}) EXPECT_EQ(wb.FontOf(ref), kFont) << ref;
  EXPECT_EQ(static_cast<int>(wb.widths.at(2)), 0);
  EXPECT_EQ(static_cast<int>(wb.widths.at(16384)), 255);
}

TEST_F(XlsxSpreadsheetTest, WorkbookDroppedBeforeDisconnectIsNotSaved) {
  {
    XlsxSpreadsheet s =
        XlsxSpreadsheet::ForViewing([](const std::string&) { return true; }, clock_);
    s.Connect();
    s.SetVisible(true);
    s.AddWorkbook();
    s.ConnectActiveWorkbook();
    s.ConnectActiveSheet();
    s.SetRangeValue(u"A1", u"A1", TextBlock(1, 1));
    // A new connection starts over without the old workbook.
    s.Connect();
    s.Disconnect();
    EXPECT_TRUE(s.SavedPath().empty());
  }
  EXPECT_TRUE(ListFolder(root_ + "/cache/tarnvik").empty());
}

}  // namespace
}  // namespace tarnvik::platform
