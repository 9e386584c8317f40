#include "platform/win32/WideText.h"

#include <windows.h>

namespace tarnvik::platform::win32 {

namespace {

void PutUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsHigh(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The code point of the well-formed (surrogates allowed) sequence at s[i],
// advancing i; U+FFFD and one byte for anything else.
char32_t Decode(std::string_view s, size_t& i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  const auto cont = [&](size_t k) { return k < s.size() && (b(k) & 0xC0) == 0x80; };
  if (c < 0x80) {
    ++i;
    return c;
  }
  if (c >= 0xC2 && c <= 0xDF && cont(i + 1)) {
    const char32_t cp = ((c & 0x1Fu) << 6) | (b(i + 1) & 0x3Fu);
    i += 2;
    return cp;
  }
  if (c >= 0xE0 && c <= 0xEF && cont(i + 1) && cont(i + 2)) {
    const char32_t cp = ((c & 0x0Fu) << 12) | ((b(i + 1) & 0x3Fu) << 6) | (b(i + 2) & 0x3Fu);
    if (cp >= 0x800) {
      i += 3;
      return cp;
    }
  }
  if (c >= 0xF0 && c <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
    const char32_t cp = ((c & 0x07u) << 18) | ((b(i + 1) & 0x3Fu) << 12) |
                        ((b(i + 2) & 0x3Fu) << 6) | (b(i + 3) & 0x3Fu);
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      i += 4;
      return cp;
    }
  }
  ++i;
  return 0xFFFD;
}

}  // namespace

std::string ToNative(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    const char32_t u = static_cast<char16_t>(wide[i]);
    if (IsHigh(u) && i + 1 < wide.size() && IsLow(static_cast<char16_t>(wide[i + 1]))) {
      PutUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (static_cast<char16_t>(wide[i + 1]) - 0xDC00));
      ++i;
    } else {
      PutUtf8(out, u);
    }
  }
  return out;
}

std::wstring ToWide(std::string_view native) {
  std::wstring out;
  out.reserve(native.size());
  for (size_t i = 0; i < native.size();) {
    const char32_t cp = Decode(native, i);
    if (cp >= 0x10000) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
  }
  return out;
}

std::wstring FullPath(const std::wstring& path) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return {};
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return {};
  full.resize(size);
  return full;
}

std::wstring ExtendedPath(const std::wstring& path) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return {};
  if (path.starts_with(L"\\\\?\\")) return path;
  std::wstring source = path;
  if (source.size() == 2 && source[1] == L':') source += L'\\';
  const std::wstring full = FullPath(source);
  if (full.empty()) return {};
  if (full.starts_with(L"\\\\.\\")) return full;  // devices keep their own form
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace tarnvik::platform::win32
