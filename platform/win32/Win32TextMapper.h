#pragma once

#include <string>
#include <string_view>

#include "platform/TextMapper.h"

namespace tarnvik::platform {

// The text mapping of LCMapStringEx under the user's default locale, with
// LCMAP_KATAKANA and LCMAP_HALFWIDTH. A text the function refuses maps to
// itself.
class Win32TextMapper final : public TextMapper {
 public:
  std::u16string ToKatakana(std::u16string_view text) const override;
  std::u16string ToHalfWidth(std::u16string_view text) const override;
};

}  // namespace tarnvik::platform
