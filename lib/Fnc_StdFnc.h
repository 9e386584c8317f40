#pragma once

#include <string>
#include <string_view>

#include "platform/TextMapper.h"

namespace tarnvik::lib {

// Text helpers of the keyword filter. All of them take and return UTF-16
// text of any length; nothing is cut. They hold no state and may be called
// from any thread.

// Removes every code unit up to and including U+0020 (controls and the
// space) from both ends, and nothing else: an ideographic space U+3000 stays.
std::u16string Trim(std::u16string_view text);

// True when nothing is left of the text after Trim.
bool IsBlank(std::u16string_view text);

// Hiragana to katakana through the mapper's ToKatakana, then Trim.
std::u16string ToKatakana(std::u16string_view text, const platform::TextMapper& mapper);

// ToKatakana, then the mapper's ToHalfWidth, then Trim. Full-width letters,
// digits, signs and the ideographic space become ASCII, katakana become
// half-width katakana with separate voicing marks. An ideographic space at
// either end therefore disappears, and so do the controls behind it.
std::u16string ToHalfWidth(std::u16string_view text, const platform::TextMapper& mapper);

// A text that is blank after Trim comes back unchanged; from any other text
// every space U+0020 is deleted (other controls stay).
std::u16string RemoveSpaces(std::u16string_view text);

// The ASCII letters a to z in upper case; every other code unit is kept.
std::u16string ToUpperAscii(std::u16string_view text);

}  // namespace tarnvik::lib
