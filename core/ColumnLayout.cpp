#include "core/ColumnLayout.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "lib/Fnc_Grid.h"

namespace tarnvik::core {

namespace {

struct ColumnSpec {
  const char16_t* header;
  int chars;
};

constexpr std::array<ColumnSpec, 7> kColumns{{
    {u" No.", 4},
    {u"File Name", 25},
    {u"Folder Name", 20},
    {u"Date Time", 19},
    {u"Size", 6},
    {u"Check", 5},
    {u"Ext.", 4},
}};

}  // namespace

std::u16string ExtensionText(const std::u16string& name) {
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string::npos) return {};
  std::u16string ext = name.substr(dot + 1);
  for (char16_t& ch : ext) {
    if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
  }
  return ext;
}

std::u16string FormatNumber(long long value, int width) {
  // Filled from the right in a local buffer, then copied once: this runs
  // three times per row of every search.
  char16_t buffer[48];
  char16_t* const end = buffer + std::size(buffer);
  char16_t* p = end;
  const bool negative = value < 0;
  unsigned long long v = negative ? 0ULL - static_cast<unsigned long long>(value)
                                  : static_cast<unsigned long long>(value);
  do {
    *--p = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (negative) *--p = u'-';
  const int digits = static_cast<int>(end - p);
  if (width <= digits) return std::u16string(p, end);
  std::u16string out(static_cast<size_t>(width), u' ');
  std::copy(p, end, out.end() - digits);
  return out;
}

void ApplyColumnLayout(int mode, ResultTable& upper, ResultTable& lower, EngineHost& host) {
  const int w = lib::GridCharWidth(upper);
  const bool ext = mode == 1;
  const int cols = ext ? 7 : 6;
  upper.SetColCount(cols);
  lower.SetColCount(cols);
  host.SetWindowWidthLimits(ext ? kWidthExtLayout : kWidthNameLayout);

  for (int c = 0; c < cols; ++c) {
    upper.SetCell(c, 0, kColumns[c].header);
    upper.SetColWidth(c, w * kColumns[c].chars + 8);
    lower.SetCell(c, 0, upper.Cell(c, 0));
    lower.SetColWidth(c, upper.ColWidth(c));
  }
  if (ext) {
    for (int r = 1; r < upper.RowCount(); ++r) {
      upper.SetCell(kColExt, r, ExtensionText(upper.Cell(kColName, r)));
    }
  }
}

}  // namespace tarnvik::core
