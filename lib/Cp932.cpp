#include "lib/Cp932.h"

#include <cstdint>

namespace tarnvik::lib {

namespace {

#include "lib/Cp932Table.inc"

}  // namespace

bool DecodeCp932(std::string_view bytes, std::u16string& out) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80) {
      out.push_back(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      out.push_back(static_cast<char16_t>(0xFF61 + (b - 0xA1)));
    } else {
      const int row = kCp932LeadRow[b - 0x80];
      if (row == 0 || i + 1 == bytes.size()) return false;
      const int trail = static_cast<uint8_t>(bytes[++i]) - kCp932TrailFirst;
      if (trail < 0 || trail >= kCp932Trails) return false;
      const char16_t c = kCp932Rows[row - 1][trail];
      if (c == 0) return false;
      out.push_back(c);
    }
  }
  return true;
}

}  // namespace tarnvik::lib
