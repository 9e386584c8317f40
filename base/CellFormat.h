#pragma once

#include <string>
#include <string_view>

namespace tarnvik::base {

// The extension cell of a file name: the text from the last "." on, ASCII
// letters in upper case, without its first character (the dot). Empty when
// the name has no ".". "Report.xlsx" gives "XLSX", ".profile" "PROFILE".
std::u16string ExtensionText(const std::u16string& name);

// printf "%4d" / "%6d" as UTF-16 (right-aligned, wider when needed).
std::u16string FormatNumber(long long value, int width);

// The length of a root path as it is stored and shown: without its
// trailing "/", except that "/" itself stays "/". The one rule for the
// window, the folder chooser and the command line, whatever their text type.
template <class Char>
constexpr size_t RootLength(std::basic_string_view<Char> path) {
  size_t n = path.size();
  while (n > 1 && path[n - 1] == Char('/')) --n;
  return n;
}

// The root as stored: `path` cut to RootLength.
template <class Text>
Text WithoutTrailingSeparator(Text path) {
  using Char = typename Text::value_type;
  path.resize(RootLength(std::basic_string_view<Char>(path.data(), path.size())));
  return path;
}

}  // namespace tarnvik::base
