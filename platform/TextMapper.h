#pragma once

#include <string>
#include <string_view>

namespace tarnvik::platform {

// The operating system's Japanese text mapping, the two foldings the keyword
// filter compares names in. Both functions take and return UTF-16 text of any
// length (nothing is cut) and map every code unit that has no mapping to
// itself, so controls, spaces and surrogates pass through unchanged. Neither
// trims. Implementations hold no mutable state and may be called from any
// thread. The program's one mapper (LCMapStringW on Windows, the program's
// own tables elsewhere) comes with its services (platform/Services.h).
class TextMapper {
 public:
  virtual ~TextMapper();

  // Hiragana to katakana: the hiragana letters, small forms included, become
  // the matching katakana (ゔ becomes ヴ, ゝ and ゞ become ヽ and ヾ); every
  // other code unit is kept.
  virtual std::u16string ToKatakana(std::u16string_view text) const = 0;

  // Full width to half width: full-width ASCII (U+FF01..U+FF5E) becomes
  // ASCII, the ideographic space U+3000 a space, Japanese punctuation and
  // katakana their half-width forms. A voiced or semi-voiced katakana becomes
  // two code units, the half-width kana and its mark (ガ gives ｶﾞ, パ gives
  // ﾊﾟ), and the combining marks U+3099 and U+309A become ﾞ and ﾟ, so that a
  // decomposed カ + U+3099 maps like ガ. Katakana without a half-width form
  // (ヮ, ヰ, ヱ, ヵ, ヶ and others) are kept, and so is hiragana.
  virtual std::u16string ToHalfWidth(std::u16string_view text) const = 0;
};

inline TextMapper::~TextMapper() = default;

}  // namespace tarnvik::platform
