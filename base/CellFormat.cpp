#include "base/CellFormat.h"

#include <algorithm>
#include <iterator>

namespace tarnvik::base {

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

}  // namespace tarnvik::base
