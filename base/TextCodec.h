#pragma once

#include <string>
#include <string_view>

namespace tarnvik::base {

// The program's one text codec: between the file system's bytes (UTF-8 on
// POSIX) and the UTF-16 text of the table, lossless in both directions for
// any byte string.
//
// Decoding: valid UTF-8 becomes the matching UTF-16; each byte that is not
// part of a valid UTF-8 sequence (overlong forms, encoded surrogates and
// code points above U+10FFFF included) becomes the lone surrogate
// U+DC80 + byte, its stand-in.
//
// The surrogate policy of every encoder (NextCharacter): a high surrogate
// directly followed by a low one is the character they encode; a lone
// U+DC80..U+DCFF is the stand-in of one byte; any other lone surrogate is
// U+FFFD. Writers that hand bytes back to the file system (TextToNative, the
// command line's table) restore the stand-in's byte; writers that must
// produce valid UTF-8 (the workbook's XML) write U+FFFD for it.

// One character of UTF-16 text as NextCharacter reads it.
struct Character {
  char32_t codePoint = 0;
  // Set for the stand-in of a byte that was not UTF-8; `codePoint` then
  // holds that byte.
  bool rawByte = false;
};

// Reads the character at s by the policy above and moves s past it; s must
// be below end. For writers that walk a buffer by pointer.
inline Character NextCharacter(const char16_t*& s, const char16_t* end) {
  const char16_t u = *s++;
  if (u < 0xD800 || u > 0xDFFF) return {u, false};
  if (u <= 0xDBFF && s < end && *s >= 0xDC00 && *s <= 0xDFFF) {
    const char16_t low = *s++;
    return {0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00), false};
  }
  if (u >= 0xDC80 && u <= 0xDCFF) return {static_cast<char32_t>(u - 0xDC00), true};
  return {0xFFFD, false};
}

// The same for text[i], moving i past the character; i must be below
// text.size().
inline Character NextCharacter(std::u16string_view text, size_t& i) {
  const char16_t* s = text.data() + i;
  const Character ch = NextCharacter(s, text.data() + text.size());
  i = static_cast<size_t>(s - text.data());
  return ch;
}

// Writes `cp` (at most U+10FFFF, no surrogate) as UTF-8 at p, which has room
// for four bytes, and returns the end of what was written.
inline char* PutUtf8(char32_t cp, char* p) {
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | (cp >> 6));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (cp >> 12));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return p;
}

// Appends `cp` as UTF-8 to `out`.
inline void AppendUtf8(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, static_cast<size_t>(PutUtf8(cp, bytes) - bytes));
}

// Bytes of the file system to text, as described above.
std::u16string NativeToText(std::string_view bytes);

// Text to the file system's bytes: each character by NextCharacter, a
// stand-in as its byte, everything else as UTF-8.
std::string TextToNative(std::u16string_view text);

// Appends TextToNative(text) to out, without a temporary string.
void AppendNative(std::string& out, std::u16string_view text);

// Plain UTF-8 to UTF-16 and back, for literals and user input.
inline std::u16string FromUtf8(std::string_view s) { return NativeToText(s); }
inline std::string ToUtf8(std::u16string_view s) { return TextToNative(s); }

}  // namespace tarnvik::base
