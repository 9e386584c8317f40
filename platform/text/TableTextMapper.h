#pragma once

#include <string>
#include <string_view>

#include "platform/TextMapper.h"

namespace tarnvik::platform {

// The text mapping from the program's own tables, for platforms without
// LCMapStringW. It maps each UTF-16 code unit on its own, without looking at
// its neighbours, so a text maps like the concatenation of its code units.
//
// ToKatakana: U+3041..U+3096 (ぁ..ゖ) and ゝ ゞ become the katakana 0x60 above
// them; the digraph ゟ becomes ヨリ.
//
// ToHalfWidth: U+FF01..U+FF5E become U+0021..U+007E; U+3000 becomes U+0020;
// 、。「」・ー become ､｡｢｣･ｰ; ゛゜ and the combining U+3099 U+309A become ﾞ ﾟ;
// katakana with a half-width form become it, voiced ones followed by ﾞ or ﾟ
// (ヴ ｳﾞ, ヷ ﾜﾞ, ヺ ｦﾞ); ￠￡￢￣￤￥￦ become ¢£¬¯¦¥₩. Everything else, the
// half-width forms themselves and katakana without one (ヮ ヰ ヱ ヵ ヶ ヸ ヹ ヽ
// ヾ ヿ) included, is kept.
class TableTextMapper final : public TextMapper {
 public:
  std::u16string ToKatakana(std::u16string_view text) const override;
  std::u16string ToHalfWidth(std::u16string_view text) const override;
};

}  // namespace tarnvik::platform
