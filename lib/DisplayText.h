#pragma once

#include <string>
#include <string_view>

namespace tarnvik::lib {

// The text a table cell shows: in the grids and their tooltips, in the
// workbook, and to the keyword filter. The cell itself keeps the file
// system's exact bytes (NativeToText), which sorting, marks and opening use.
//
// Names that are not UTF-8 come mostly from old archives and Windows shares
// and are then usually CP932 (Shift_JIS). The rule, exactly:
// - A cell without a stand-in for a byte (a code unit U+DC80 to U+DCFF that
//   is not the second half of a surrogate pair), which is every name that is
//   valid UTF-8, is shown as it is.
// - Otherwise the cell is split at "/" into components (a folder made here in
//   UTF-8 may hold one copied from an old archive; no CP932 character holds
//   the byte of "/"). A component is shown decoded as CP932 (DecodeCp932 of
//   its bytes, TextToNative) when all three hold:
//   1. it holds at least one stand-in,
//   2. its bytes decode as CP932 as a whole,
//   3. it holds at least as many stand-ins as bytes of valid UTF-8 characters
//      from the blocks Japanese names are written in: U+3000 to U+30FF
//      (punctuation, hiragana, katakana), U+4E00 to U+9FFF (kanji) and
//      U+FF00 to U+FFEF (full- and half-width forms), three bytes each.
//      A UTF-8 Japanese name with a stray or cut byte thus keeps its text
//      (one cut leaves at most two stand-ins), while CP932 bytes, which now
//      and then happen to form such a character, are still decoded.
//   Every other component is shown as it is, its stand-ins as U+FFFD.
std::u16string_view DisplayText(std::u16string_view cell, std::u16string& buffer);

// The same as a string of its own.
std::u16string DisplayText(std::u16string_view cell);

}  // namespace tarnvik::lib
