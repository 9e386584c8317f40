#pragma once

namespace tarnvik::base {

// The fonts the windows and the exported workbook ask for by their design
// names; each platform maps them to an installed stand-in.
inline constexpr char16_t kGothicFont[] = u"ＭＳ ゴシック";     // fixed pitch
inline constexpr char16_t kPGothicFont[] = u"ＭＳ Ｐゴシック";  // proportional

}  // namespace tarnvik::base
