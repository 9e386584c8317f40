#include "lib/Fnc_StdFnc.h"

#include <algorithm>

namespace tarnvik::lib {

namespace {

bool IsTrimmed(char16_t c) { return c <= u' '; }

std::u16string_view TrimmedView(std::u16string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::u16string Trim(std::u16string_view text) { return std::u16string(TrimmedView(text)); }

bool IsBlank(std::u16string_view text) { return TrimmedView(text).empty(); }

std::u16string ToKatakana(std::u16string_view text, const platform::TextMapper& mapper) {
  return Trim(mapper.ToKatakana(text));
}

std::u16string ToHalfWidth(std::u16string_view text, const platform::TextMapper& mapper) {
  return Trim(mapper.ToHalfWidth(ToKatakana(text, mapper)));
}

std::u16string RemoveSpaces(std::u16string_view text) {
  std::u16string out(text);
  if (IsBlank(text)) return out;
  out.erase(std::remove(out.begin(), out.end(), u' '), out.end());
  return out;
}

std::u16string ToUpperAscii(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

}  // namespace tarnvik::lib
