#include "platform/xlsx/XlsxSpreadsheet.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <utility>
#include <vector>

#include "base/TextCodec.h"
#include "platform/Files.h"
#include "platform/LocalClock.h"

namespace tarnvik::platform {

namespace {

// The sheet limits of the format.
constexpr int kMaxRows = 1048576;
constexpr int kMaxCols = 16384;
// The largest range a font may be given to.
constexpr long long kMaxFontCells = 4'000'000;

struct CellRef {
  int row = 0;  // from 0
  int col = 0;  // from 0
};

struct Rect {
  CellRef top;
  CellRef bottom;  // inclusive
  int Rows() const { return bottom.row - top.row + 1; }
  int Cols() const { return bottom.col - top.col + 1; }
  bool Contains(int r, int c) const {
    return r >= top.row && r <= bottom.row && c >= top.col && c <= bottom.col;
  }
};

[[noreturn]] void Fail(const char* what) { throw SpreadsheetError(what); }

CellRef ParseAddress(std::u16string_view a) {
  size_t i = 0;
  long col = 0;
  while (i < a.size() && i < 3) {
    char16_t ch = a[i];
    if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
    if (ch < u'A' || ch > u'Z') break;
    col = col * 26 + (ch - u'A' + 1);
    ++i;
  }
  long row = 0;
  const size_t digits = i;
  while (i < a.size() && a[i] >= u'0' && a[i] <= u'9' && row <= kMaxRows) {
    row = row * 10 + (a[i] - u'0');
    ++i;
  }
  if (digits == 0 || i == digits || i != a.size() || col > kMaxCols || row < 1 || row > kMaxRows) {
    Fail("invalid cell address");
  }
  return {static_cast<int>(row - 1), static_cast<int>(col - 1)};
}

Rect ParseRange(std::u16string_view first, std::u16string_view last) {
  const CellRef a = ParseAddress(first);
  const CellRef b = ParseAddress(last);
  return {{std::min(a.row, b.row), std::min(a.col, b.col)},
          {std::max(a.row, b.row), std::max(a.col, b.col)}};
}

void AppendEscape(std::string& out, unsigned value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "_x%04X_", value & 0xFFFF);
  out += buf;
}

bool IsHex(char16_t ch) {
  return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
}

// True when text[i] is the "_" of a "_xHHHH_" sequence, which a reader would
// take for an escape.
bool StartsEscape(std::u16string_view text, size_t i) {
  if (i + 7 > text.size() || text[i + 1] != u'x' || text[i + 6] != u'_') return false;
  return IsHex(text[i + 2]) && IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]);
}

// UTF-8 that any XML reader accepts and that reads back as the text itself.
// The control characters are escaped here rather than left to the library so
// that NUL (which would end a C string) and carriage return (which XML
// readers turn into a line feed) survive as well.
std::string XmlText(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (size_t i = 0; i < text.size();) {
    const char16_t u = text[i];
    if ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF) {
      AppendEscape(out, u);
      ++i;
    } else if (u == u'_' && StartsEscape(text, i)) {
      AppendEscape(out, u'_');
      ++i;
    } else {
      // The codec's surrogate policy; a byte stand-in has no character XML
      // could hold, so it becomes U+FFFD like any other lone surrogate.
      const base::Character ch = base::NextCharacter(text, i);
      base::AppendUtf8(out, ch.rawByte ? char32_t{0xFFFD} : ch.codePoint);
    }
  }
  return out;
}

// The current local time as "YYYYMMDD-HHMMSS", for names a user can sort.
std::string TimeStamp(const LocalClock& clock) {
  LocalTime t;
  char buf[32] = "00000000-000000";
  if (clock.ToLocalTime(static_cast<int64_t>(std::time(nullptr)), t)) {
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
  }
  return buf;
}

// Creates a new, empty file named prefix + counter + suffix with the first
// counter from 1 that names no existing file, and returns its path. The
// creation fails when the name exists, which makes the name ours even when
// another export picks the same moment.
std::string CreateUniqueFile(const std::string& prefix, const std::string& suffix) {
  for (int counter = 1; counter <= 100000; ++counter) {
    std::string path = prefix + std::to_string(counter) + suffix;
    switch (CreateNewFile(path)) {
      case CreateResult::Created:
        return path;
      case CreateResult::Exists:
        continue;
      case CreateResult::Failed:
        Fail("cannot create the workbook file");
    }
  }
  Fail("no free workbook name");
}

}  // namespace

struct XlsxSpreadsheet::Book {
  struct Cell {
    bool set = false;
    std::string text;  // XmlText of the value
  };
  struct FontArea {
    Rect area;
    std::string name;
  };

  std::vector<std::vector<Cell>> rows;
  std::vector<FontArea> fonts;  // later areas win
  std::map<int, int> widths;    // column from 0 -> characters

  Cell& At(int r, int c) {
    if (rows.size() <= static_cast<size_t>(r)) rows.resize(r + 1);
    auto& row = rows[r];
    if (row.size() <= static_cast<size_t>(c)) row.resize(c + 1);
    return row[c];
  }

  const FontArea* FontAt(int r, int c) const {
    for (auto it = fonts.rbegin(); it != fonts.rend(); ++it) {
      if (it->area.Contains(r, c)) return &*it;
    }
    return nullptr;
  }

  bool HasValue(int r, int c) const {
    return static_cast<size_t>(r) < rows.size() && static_cast<size_t>(c) < rows[r].size() &&
           rows[r][c].set;
  }

  // Writes the workbook to `path` with libxlsxwriter; false on any error.
  bool WriteTo(const std::string& path) const {
    lxw_workbook* wb = workbook_new(path.c_str());
    if (wb == nullptr) return false;
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    if (ws == nullptr) {
      lxw_workbook_free(wb);
      return false;
    }
    std::map<std::string, lxw_format*> formats;
    for (const FontArea& f : fonts) {
      auto [it, added] = formats.try_emplace(f.name, nullptr);
      if (added) {
        it->second = workbook_add_format(wb);
        if (it->second == nullptr) {
          lxw_workbook_free(wb);
          return false;
        }
        format_set_font_name(it->second, f.name.c_str());
      }
    }
    const auto formatAt = [&](int r, int c) -> lxw_format* {
      const FontArea* f = FontAt(r, c);
      return f == nullptr ? nullptr : formats.at(f->name);
    };

    lxw_error err = LXW_NO_ERROR;
    for (const auto& [col, chars] : widths) {
      if (err == LXW_NO_ERROR) err = worksheet_set_column(ws, col, col, chars, nullptr);
    }
    for (size_t r = 0; r < rows.size() && err == LXW_NO_ERROR; ++r) {
      for (size_t c = 0; c < rows[r].size() && err == LXW_NO_ERROR; ++c) {
        const Cell& cell = rows[r][c];
        if (!cell.set) continue;
        // An empty text with a format is written as a blank cell with that
        // format; without one it leaves the cell empty.
        err = worksheet_write_string(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                     cell.text.c_str(), formatAt(r, c));
      }
    }
    // Cells that got a font but no value still show it when typed into.
    for (const FontArea& f : fonts) {
      for (int r = f.area.top.row; r <= f.area.bottom.row && err == LXW_NO_ERROR; ++r) {
        for (int c = f.area.top.col; c <= f.area.bottom.col && err == LXW_NO_ERROR; ++c) {
          if (!HasValue(r, c)) {
            err = worksheet_write_blank(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                        formatAt(r, c));
          }
        }
      }
    }
    if (err != LXW_NO_ERROR) {
      lxw_workbook_free(wb);
      return false;
    }
    return workbook_close(wb) == LXW_NO_ERROR;
  }
};

XlsxSpreadsheet XlsxSpreadsheet::ForViewing(Opener opener, const LocalClock& clock) {
  return XlsxSpreadsheet(std::move(opener), &clock, std::string(), false);
}

XlsxSpreadsheet XlsxSpreadsheet::ForFile(std::string nativePath) {
  return XlsxSpreadsheet(Opener(), nullptr, std::move(nativePath), true);
}

XlsxSpreadsheet::XlsxSpreadsheet(Opener opener, const LocalClock* clock, std::string filePath,
                                 bool toFile)
    : opener_(std::move(opener)), clock_(clock), filePath_(std::move(filePath)), toFile_(toFile) {}

XlsxSpreadsheet::XlsxSpreadsheet(XlsxSpreadsheet&&) noexcept = default;
XlsxSpreadsheet& XlsxSpreadsheet::operator=(XlsxSpreadsheet&&) noexcept = default;
XlsxSpreadsheet::~XlsxSpreadsheet() = default;

std::string XlsxSpreadsheet::CacheFolder() { return UserCacheFolder(); }

void XlsxSpreadsheet::Reset() {
  connected_ = false;
  visible_ = false;
  bookActive_ = false;
  sheetActive_ = false;
  book_.reset();
}

void XlsxSpreadsheet::Connect() {
  Reset();
  connected_ = true;
}

void XlsxSpreadsheet::SetVisible(bool visible) {
  if (!connected_) Fail("not connected");
  visible_ = visible;
}

void XlsxSpreadsheet::AddWorkbook() {
  if (!connected_) Fail("not connected");
  if (book_) Fail("one workbook per connection");
  book_ = std::make_unique<Book>();
}

void XlsxSpreadsheet::ConnectActiveWorkbook() {
  if (!connected_ || !book_) Fail("no active workbook");
  bookActive_ = true;
}

void XlsxSpreadsheet::ConnectActiveSheet() {
  if (!connected_ || !bookActive_) Fail("no active workbook");
  sheetActive_ = true;
}

XlsxSpreadsheet::Book& XlsxSpreadsheet::Sheet() {
  if (!connected_ || !sheetActive_) Fail("no active sheet");
  return *book_;
}

void XlsxSpreadsheet::SetRangeValue(std::u16string_view first, std::u16string_view last,
                                    const TextBlock& values) {
  Book& book = Sheet();
  const Rect rect = ParseRange(first, last);
  if (values.rows != rect.Rows() || values.cols != rect.Cols() ||
      values.cells.size() != static_cast<size_t>(values.rows) * values.cols) {
    Fail("values do not fit the range");
  }
  for (int r = 0; r < values.rows; ++r) {
    for (int c = 0; c < values.cols; ++c) {
      Book::Cell& cell = book.At(rect.top.row + r, rect.top.col + c);
      cell.set = true;
      cell.text = XmlText(values.At(r, c));
    }
  }
}

void XlsxSpreadsheet::SetRangeFontName(std::u16string_view first, std::u16string_view last,
                                       std::u16string_view fontName) {
  Book& book = Sheet();
  const Rect rect = ParseRange(first, last);
  if (fontName.empty()) Fail("empty font name");
  // Unfilled cells of the area are written one by one as blank cells.
  if (static_cast<long long>(rect.Rows()) * rect.Cols() > kMaxFontCells) {
    Fail("font range too large");
  }
  book.fonts.push_back({rect, XmlText(fontName)});
}

void XlsxSpreadsheet::SetRangeColumnWidth(std::u16string_view first, std::u16string_view last,
                                          int characters) {
  Book& book = Sheet();
  const Rect rect = ParseRange(first, last);
  // libxlsxwriter writes a wrong width above the limit instead of failing.
  if (characters < 0 || characters > kMaxColumnWidth) Fail("column width out of range");
  for (int c = rect.top.col; c <= rect.bottom.col; ++c) book.widths[c] = characters;
}

void XlsxSpreadsheet::Disconnect() {
  if (!connected_) return;
  std::unique_ptr<Book> book = std::move(book_);
  const bool visible = visible_;
  Reset();
  if (!book) return;
  Save(*book);
  if (!toFile_ && visible && (!opener_ || !opener_(savedPath_))) {
    Fail("the workbook could not be opened");
  }
}

void XlsxSpreadsheet::Save(const Book& book) {
  std::string path;
  if (!toFile_) {
    const std::string folder = CacheFolder();
    if (folder.empty()) Fail("no cache folder");
    // Private to the user, as the cache folder should be.
    if (!MakeFolders(folder)) Fail("cannot create the cache folder");
    // The library writes through its own open, so the name is reserved
    // first and the library then fills the file we created.
    path = CreateUniqueFile(InFolder(folder, "Tarnvik-" + TimeStamp(*clock_) + "-"), ".xlsx");
    if (!book.WriteTo(path)) {
      RemoveFile(path);
      Fail("cannot write the workbook");
    }
  } else {
    if (filePath_.empty()) Fail("no file name");
    // The rename below would put the workbook in the place of whatever the
    // path names: a device, a FIFO or a symbolic link is never replaced.
    const PathKind kind = ExaminePath(filePath_);
    if (kind == PathKind::Other) Fail("the target exists and is not a regular file");
    if (kind == PathKind::Unknown) Fail("cannot examine the target");
    // A sibling first, renamed over the target once complete, so a failed
    // export never destroys what the path held before.
    const std::string temp =
        CreateUniqueFile(filePath_ + ".tmp-" + std::to_string(ProcessId()) + "-", "");
    // A replaced workbook keeps the permissions its owner gave it.
    const bool kept = kind != PathKind::RegularFile || CopyPermissions(filePath_, temp);
    if (!kept || !book.WriteTo(temp) || !MoveOver(temp, filePath_)) {
      RemoveFile(temp);
      Fail("cannot write the workbook");
    }
    path = filePath_;
  }
  savedPath_ = std::move(path);
}

}  // namespace tarnvik::platform
