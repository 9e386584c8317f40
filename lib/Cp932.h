#pragma once

#include <string>
#include <string_view>

namespace tarnvik::lib {

// Decodes `bytes` as CP932 (Windows-31J, the Japanese Windows code page:
// Shift_JIS with JIS X 0208 and the NEC and IBM extensions) and appends the
// text to `out`. Returns true when every byte belongs to a character: ASCII
// 0x00 to 0x7F as it is (0x5C is the backslash, 0x7E the tilde, as on
// Windows), half-width katakana 0xA1 to 0xDF, and the two-byte characters of
// lead bytes 0x81 to 0x9F and 0xE0 to 0xFC. The user-defined area (lead bytes
// 0xF0 to 0xF9, private-use characters), codes without a character and a lead
// byte without its trail byte make it return false; `out` then holds an
// unspecified part of the text. The table is generated from the C library's
// converter by tools/gen-cp932-table.sh. Any thread may call it.
bool DecodeCp932(std::string_view bytes, std::u16string& out);

}  // namespace tarnvik::lib
