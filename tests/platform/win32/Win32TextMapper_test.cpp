#include "platform/win32/Win32TextMapper.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/text/TableTextMapper.h"

namespace tarnvik::platform {
namespace {

struct Case {
  const char16_t* in;
  const char16_t* katakana;
  const char16_t* halfWidth;
};

// What the keyword filter relies on: kana and width folding as the
// interface states it.
TEST(Win32TextMapper, FoldsKanaAndWidth) {
  const Case cases[] = {
      {u"", u"", u""},
      {u"ひらがな", u"ヒラガナ", u"ひらがな"},
      {u"ぁぃぅぇぉっゃゅょゎ", u"ァィゥェォッャュョヮ", u"ぁぃぅぇぉっゃゅょゎ"},
      {u"ゔゝ", u"ヴヽ", u"ゔゝ"},
      {u"ガパヴ", u"ガパヴ", u"ｶﾞﾊﾟｳﾞ"},
      {u"カ\u3099", u"カ\u3099", u"ｶﾞ"},
      {u"ＡＢＣ　１２３！", u"ＡＢＣ　１２３！", u"ABC 123!"},
      {u"、。「」・ー", u"、。「」・ー", u"､｡｢｣･ｰ"},
      {u"ｶﾞabc", u"ｶﾞabc", u"ｶﾞabc"},
      {u"漢字", u"漢字", u"漢字"},
      {u"\U0001F600x", u"\U0001F600x", u"\U0001F600x"},
  };
  const Win32TextMapper mapper;
  for (const Case& c : cases) {
    EXPECT_EQ(mapper.ToKatakana(c.in), c.katakana) << std::u16string(c.in).size();
    EXPECT_EQ(mapper.ToHalfWidth(c.in), c.halfWidth) << std::u16string(c.in).size();
  }
}

std::string Hex(const std::u16string& s) {
  std::string out;
  char buf[8];
  for (char16_t c : s) {
    std::snprintf(buf, sizeof buf, "%s%04X", out.empty() ? "" : " ", static_cast<unsigned>(c));
    out += buf;
  }
  return out;
}

// Code unit -> what LCMapStringW makes of it where the program's own tables
// (used on Linux) make something else.
std::map<char16_t, std::u16string> ExpectedKatakanaDifferences() {
  // The digraph ゟ stays; the tables spell it ヨリ.
  return {{u'ゟ', u"ゟ"}};
}

std::map<char16_t, std::u16string> ExpectedHalfWidthDifferences() {
  std::map<char16_t, std::u16string> d = {
      // Curly quotes become ASCII quotes; the tables keep them.
      {u'‘', u"'"},
      {u'’', u"'"},
      {u'“', u"\""},
      {u'”', u"\""},
      // Arrows, the box line and two shapes have half-width forms.
      {u'←', u"￩"},
      {u'↑', u"￪"},
      {u'→', u"￫"},
      {u'↓', u"￬"},
      {u'│', u"￨"},
      {u'■', u"￭"},
      {u'○', u"￮"},
      // Voiced ヸ ヹ ヾ split into their base and ﾞ; the tables keep them.
      {u'ヸ', u"ヰﾞ"},
      {u'ヹ', u"ヱﾞ"},
      {u'ヾ', u"ヽﾞ"},
      // The full-width backslash stays; the tables make it "\\".
      {u'＼', u"＼"},
      // The white parentheses go to their narrow forms.
      {u'｟', u"⦅"},
      {u'｠', u"⦆"},
      // The Hangul filler.
      {u'\u3164', u"\uFFA0"},
  };
  // Hangul compatibility jamo become the half-width jamo, in four runs
  // that skip the code points the half-width block leaves free.
  const struct {
    char16_t from, last, to;
  } runs[] = {{0x3131, 0x314E, 0xFFA1},
              {0x314F, 0x3154, 0xFFC2},
              {0x3155, 0x315A, 0xFFCA},
              {0x315B, 0x3160, 0xFFD2},
              {0x3161, 0x3163, 0xFFDA}};
  for (const auto& r : runs) {
    for (char16_t c = r.from; c <= r.last; ++c) {
      d[c] = std::u16string(1, static_cast<char16_t>(r.to + (c - r.from)));
    }
  }
  return d;
}

// The system's mapping and the program's own tables agree on every code
// unit but the ones listed above, so that a search finds the same files on
// both systems apart from these. A change on either side shows up as an
// entry that is new or missing.
TEST(Win32TextMapper, DiffersFromTheTablesOnlyWhereListed) {
  const Win32TextMapper system;
  const TableTextMapper tables;
  std::map<char16_t, std::u16string> katakana;
  std::map<char16_t, std::u16string> halfWidth;
  for (char32_t u = 1; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const std::u16string text(1, static_cast<char16_t>(u));
    if (auto k = system.ToKatakana(text); k != tables.ToKatakana(text)) katakana[text[0]] = k;
    if (auto h = system.ToHalfWidth(text); h != tables.ToHalfWidth(text)) halfWidth[text[0]] = h;
  }
  const auto show = [](const std::map<char16_t, std::u16string>& m) {
    std::string out;
    for (const auto& [c, s] : m) out += Hex(std::u16string(1, c)) + "->" + Hex(s) + "; ";
    return out;
  };
  EXPECT_EQ(show(katakana), show(ExpectedKatakanaDifferences()));
  EXPECT_EQ(show(halfWidth), show(ExpectedHalfWidthDifferences()));
}

}  // namespace
}  // namespace tarnvik::platform
