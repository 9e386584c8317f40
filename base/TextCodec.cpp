#include "base/TextCodec.h"

#include <cstdint>

namespace tarnvik::base {

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when the bytes
// there do not form one (RFC 3629: no overlong forms, no surrogates, nothing
// above U+10FFFF).
size_t ValidSequence(std::string_view s, size_t i, char32_t& cp) {
  const auto b = [&](size_t k) { return static_cast<uint8_t>(s[i + k]); };
  const uint8_t c = b(0);
  const size_t left = s.size() - i;
  const auto cont = [&](size_t k) { return k < left && (b(k) & 0xC0) == 0x80; };
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF && cont(1)) {
    cp = ((c & 0x1F) << 6) | (b(1) & 0x3F);
    return 2;
  }
  if (c >= 0xE0 && c <= 0xEF && cont(1) && cont(2)) {
    const uint8_t c1 = b(1);
    if (c == 0xE0 && c1 < 0xA0) return 0;   // overlong
    if (c == 0xED && c1 >= 0xA0) return 0;  // surrogate
    cp = ((c & 0x0F) << 12) | ((c1 & 0x3F) << 6) | (b(2) & 0x3F);
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4 && cont(1) && cont(2) && cont(3)) {
    const uint8_t c1 = b(1);
    if (c == 0xF0 && c1 < 0x90) return 0;   // overlong
    if (c == 0xF4 && c1 >= 0x90) return 0;  // above U+10FFFF
    cp = ((c & 0x07) << 18) | ((c1 & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    return 4;
  }
  return 0;
}

}  // namespace

std::u16string NativeToText(std::string_view bytes) {
  // One code unit per byte at the most; write through a pointer, since this
  // runs for every file name of a scan.
  std::u16string out(bytes.size(), u'\0');
  char16_t* p = out.data();
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<uint8_t>(bytes[i]);
    if (c < 0x80) {
      *p++ = c;
      ++i;
      continue;
    }
    char32_t cp = 0;
    const size_t n = ValidSequence(bytes, i, cp);
    if (n == 0) {
      *p++ = static_cast<char16_t>(0xDC00 + c);
      ++i;
    } else if (cp < 0x10000) {
      *p++ = static_cast<char16_t>(cp);
      i += n;
    } else {
      cp -= 0x10000;
      *p++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *p++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      i += n;
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

std::string TextToNative(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  AppendNative(out, text);
  return out;
}

void AppendNative(std::string& out, std::u16string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (text[i] < 0x80) {
      out.push_back(static_cast<char>(text[i++]));
      continue;
    }
    const Character ch = NextCharacter(text, i);
    if (ch.rawByte) {
      out.push_back(static_cast<char>(ch.codePoint));
    } else {
      AppendUtf8(out, ch.codePoint);
    }
  }
}

}  // namespace tarnvik::base
