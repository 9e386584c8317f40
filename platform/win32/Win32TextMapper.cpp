#include "platform/win32/Win32TextMapper.h"

#include <windows.h>

#include <climits>

namespace tarnvik::platform {

namespace {

std::u16string Map(std::u16string_view text, DWORD flags) {
  if (text.empty() || text.size() > static_cast<size_t>(INT_MAX / 2)) {
    return std::u16string(text);
  }
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, length, nullptr, 0,
                                   nullptr, nullptr, 0);
  if (needed <= 0) return std::u16string(text);
  std::u16string out(static_cast<size_t>(needed), u'\0');
  const int written =
      LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, length,
                    reinterpret_cast<wchar_t*>(out.data()), needed, nullptr, nullptr, 0);
  if (written <= 0) return std::u16string(text);
  out.resize(static_cast<size_t>(written));
  return out;
}

}  // namespace

std::u16string Win32TextMapper::ToKatakana(std::u16string_view text) const {
  return Map(text, LCMAP_KATAKANA);
}

std::u16string Win32TextMapper::ToHalfWidth(std::u16string_view text) const {
  return Map(text, LCMAP_HALFWIDTH);
}

}  // namespace tarnvik::platform
