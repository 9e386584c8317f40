#pragma once

#include <string>
#include <string_view>

namespace tarnvik::lib {

// Conversion between the file system's bytes and the UTF-16 text of the
// table, lossless in both directions for any byte string:
// valid UTF-8 becomes the matching UTF-16; each byte that is not part of a
// valid UTF-8 sequence (overlong forms, encoded surrogates and code points
// above U+10FFFF included) becomes the lone surrogate U+DC80 + byte.
std::u16string NativeToText(std::string_view bytes);

// The reverse: lone surrogates U+DC80..U+DCFF become the original byte; every
// other code point is written as UTF-8 (any other lone surrogate as U+FFFD).
std::string TextToNative(std::u16string_view text);

// Appends TextToNative(text) to out, without a temporary string.
void AppendNative(std::string& out, std::u16string_view text);

// Plain UTF-8 to UTF-16 and back, for literals and user input.
inline std::u16string FromUtf8(std::string_view s) { return NativeToText(s); }
inline std::string ToUtf8(std::u16string_view s) { return TextToNative(s); }

}  // namespace tarnvik::lib
