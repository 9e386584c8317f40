// Feeds arbitrary UTF-16 to MatchKey and RowMatches.
//
// Input: byte 0 picks the connective (-1, 0 or 1), bytes 1 and 2 the lengths
// of the two keywords in code units; the rest, read as little-endian UTF-16,
// holds the first keyword, the second keyword and the file name. Aborts when
// the one-pass MatchKey differs from the step-by-step composition, when a key
// is not its own key, when a part of a name is not found in the name, or when
// RowMatches decides otherwise than the connective's rule.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/KeywordFilter.h"
#include "lib/Fnc_StdFnc.h"
#include "platform/SystemServices.h"

namespace {

// The program's match keys over the system's text mapper.
const tarnvik::platform::TextMapper& Mapper() {
  static const tarnvik::platform::SystemServices system;
  return *system.Engine().textMapper;
}

const tarnvik::core::MatchKeys& Keys() {
  static const tarnvik::core::MatchKeys keys(Mapper());
  return keys;
}

std::u16string MatchKey(std::u16string_view text) { return Keys().Of(text); }

void Fail(const char* what, std::u16string_view text) {
  std::fprintf(stderr, "%s:", what);
  for (char16_t c : text) std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
  std::fprintf(stderr, "\n");
  std::abort();
}

std::u16string Composed(std::u16string_view text) {
  using namespace tarnvik::lib;
  return RemoveSpaces(ToUpperAscii(ToHalfWidth(text, Mapper())));
}

void CheckKey(std::u16string_view text, std::u16string& reused) {
  const std::u16string key = MatchKey(text);
  if (key != Composed(text)) Fail("one-pass key differs from the composition", text);
  Keys().Into(text, reused);
  if (reused != key) Fail("key written into a reused buffer differs", text);
  if (MatchKey(key) != key) Fail("a key is not its own key", text);
}

bool Occurs(std::u16string_view key, std::u16string_view text) {
  return !key.empty() &&
         std::search(text.begin(), text.end(), key.begin(), key.end()) != text.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int connective = static_cast<int>(data[0] % 3) - 1;
  std::u16string units;
  for (size_t i = 3; i + 1 < size; i += 2) {
    units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::u16string_view all(units);
  const size_t n1 = std::min<size_t>(data[1], all.size());
  const size_t n2 = std::min<size_t>(data[2], all.size() - n1);
  const std::u16string_view keyword1 = all.substr(0, n1);
  const std::u16string_view keyword2 = all.substr(n1, n2);
  const std::u16string_view name = all.substr(n1 + n2);

  std::u16string reused;
  CheckKey(keyword1, reused);
  CheckKey(keyword2, reused);
  CheckKey(name, reused);
  CheckKey(all, reused);

  const std::u16string k1 = MatchKey(keyword1);
  const std::u16string k2 = MatchKey(keyword2);
  const std::u16string nameKey = MatchKey(name);
  const std::u16string allKey = MatchKey(all);
  // Any part of a text that keeps a key of its own is found in the text.
  if (!k1.empty() && !Occurs(k1, allKey)) Fail("first part not found in the whole", all);
  if (!k2.empty() && !Occurs(k2, allKey)) Fail("middle part not found in the whole", all);
  if (!nameKey.empty() && !Occurs(nameKey, allKey)) Fail("last part not found in the whole", all);

  const bool has1 = Occurs(k1, nameKey);
  const bool has2 = Occurs(k2, nameKey);
  bool expected = false;
  switch (connective) {
    case tarnvik::core::kConnectiveAnd:
      expected = has1 && (k2.empty() || has2);
      break;
    case tarnvik::core::kConnectiveOr:
      expected = has1 || has2;
      break;
    default:
      expected = has1;
      break;
  }
  if (tarnvik::core::RowMatches(nameKey, k1, k2, connective) != expected) {
    Fail("RowMatches decided otherwise", all);
  }
  return 0;
}
