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

// Whether `c` separates path components: "/" everywhere, and "\" as well
// in the Windows build.
template <class Char>
constexpr bool IsPathSeparator(Char c) {
#ifdef _WIN32
  return c == Char('/') || c == Char('\\');
#else
  return c == Char('/');
#endif
}

// The length of a root path as it is stored and shown: without its
// trailing separators, except that a root that is nothing but a separator
// ("/", or "\" on Windows) keeps one. A drive root "C:\" thus becomes
// "C:". The one rule for the window, the folder chooser and the command
// line, whatever their text type.
template <class Char>
constexpr size_t RootLength(std::basic_string_view<Char> path) {
  size_t n = path.size();
  while (n > 1 && IsPathSeparator(path[n - 1])) --n;
  return n;
}

// Whether `path` names a folder independently of the current folder:
// it starts with "/", or on Windows it is a drive ("C:", "C:\...") or a
// share ("\\server\share").
template <class Char>
constexpr bool IsAbsoluteRoot(std::basic_string_view<Char> path) {
#ifdef _WIN32
  const auto isLetter = [](Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z'));
  };
  if (path.size() >= 2 && isLetter(path[0]) && path[1] == Char(':')) {
    return path.size() == 2 || IsPathSeparator(path[2]);
  }
  return path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
#else
  return !path.empty() && path[0] == Char('/');
#endif
}

// The root as stored: `path` cut to RootLength.
template <class Text>
Text WithoutTrailingSeparator(Text path) {
  using Char = typename Text::value_type;
  path.resize(RootLength(std::basic_string_view<Char>(path.data(), path.size())));
  return path;
}

}  // namespace tarnvik::base
