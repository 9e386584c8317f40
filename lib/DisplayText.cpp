#include "lib/DisplayText.h"

#include <algorithm>

#include "base/TextCodec.h"
#include "lib/Cp932.h"

namespace tarnvik::lib {

namespace {

bool InStandInRange(char16_t u) { return u >= 0xDC80 && u <= 0xDCFF; }
bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }

bool InJapaneseBlocks(char16_t u) {
  return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
         (u >= 0xFF00 && u <= 0xFFEF);
}

void AppendShownComponent(std::u16string_view component, std::u16string& out, std::string& bytes) {
  size_t standIns = 0;
  size_t japaneseBytes = 0;
  for (size_t i = 0; i < component.size(); ++i) {
    const char16_t u = component[i];
    if (IsHighSurrogate(u) && i + 1 < component.size() && component[i + 1] >= 0xDC00 &&
        component[i + 1] <= 0xDFFF) {
      ++i;
    } else if (InStandInRange(u)) {
      ++standIns;
    } else if (InJapaneseBlocks(u)) {
      japaneseBytes += 3;
    }
  }
  if (standIns > 0 && standIns >= japaneseBytes) {
    bytes.clear();
    base::AppendNative(bytes, component);
    const size_t mark = out.size();
    if (DecodeCp932(bytes, out)) return;
    out.resize(mark);
  }
  out.append(component);
}

}  // namespace

std::u16string_view DisplayText(std::u16string_view cell, std::u16string& buffer) {
  // Names are nearly always UTF-8; they pass with one scan and no copy.
  if (std::none_of(cell.begin(), cell.end(), InStandInRange)) return cell;
  buffer.clear();
  std::string bytes;
  size_t start = 0;
  while (true) {
    const size_t end = std::min(cell.find(u'/', start), cell.size());
    AppendShownComponent(cell.substr(start, end - start), buffer, bytes);
    if (end == cell.size()) break;
    buffer.push_back(u'/');
    start = end + 1;
  }
  return buffer;
}

std::u16string DisplayText(std::u16string_view cell) {
  std::u16string buffer;
  const std::u16string_view shown = DisplayText(cell, buffer);
  return shown.data() == buffer.data() ? buffer : std::u16string(shown);
}

}  // namespace tarnvik::lib
