#include "lib/Fnc_StdFnc.h"

#include <gtest/gtest.h>

#include <string>

#include "base/TextCodec.h"
#include "platform/SystemServices.h"

namespace tarnvik::lib {
namespace {

struct TextCase {
  std::u16string input;
  std::u16string expected;
};

std::string Show(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x20) {
      out += "\\x" + std::to_string(static_cast<int>(c));
    } else {
      out += base::ToUtf8(std::u16string_view(&c, 1));
    }
  }
  return "\"" + out + "\"";
}

// The system's text mapper, as the program gets it.
const platform::TextMapper& Mapper() {
  static const platform::SystemServices system;
  return *system.Engine().textMapper;
}

TEST(Trim, RemovesControlsAndSpacesAtBothEndsOnly) {
  const TextCase cases[] = {
      {u"", u""},
      {u"abc", u"abc"},
      {u"  a b  ", u"a b"},
      {u"\t\r\n a\tb \x01\x1F", u"a\tb"},
      {u"\x01\x02 \x20", u""},
      // U+3000 and DEL are above U+0020 and stay.
      {u"\u3000a\u3000", u"\u3000a\u3000"},
      {u"\x7F a \x7F", u"\x7F a \x7F"},
      {u" \u3000 ", u"\u3000"},
      {std::u16string(u"\0a\0", 3), u"a"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(Trim(c.input), c.expected) << Show(c.input);
    EXPECT_EQ(IsBlank(c.input), c.expected.empty()) << Show(c.input);
  }
}

TEST(ToKatakana, FoldsHiraganaThenTrims) {
  const TextCase cases[] = {
      {u" れぽーと ", u"レポート"},
      {u"\tぱぴぷ\r\n", u"パピプ"},
      {u"ひらがなとカタカナとﾊﾝｶｸ", u"ヒラガナトカタカナトﾊﾝｶｸ"},
      // The ideographic space is not trimmed by this step.
      {u"\u3000あ\u3000", u"\u3000ア\u3000"},
      {u" ", u""},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(ToKatakana(c.input, Mapper()), c.expected) << Show(c.input);
}

TEST(ToHalfWidth, FoldsKanaAndWidthThenTrims) {
  const TextCase cases[] = {
      {u"れぽーと", u"ﾚﾎﾟｰﾄ"},
      {u"レポート.xls", u"ﾚﾎﾟｰﾄ.xls"},
      {u"ａｂｃ．ｔｘｔ", u"abc.txt"},
      {u"ＡＢＣ　１２３", u"ABC 123"},
      {u"ガイド\u3099", u"ｶﾞｲﾄﾞﾞ"},
      {u"カ\u3099イト\u3099", u"ｶﾞｲﾄﾞ"},
      // An ideographic space at an end becomes a space only in this step,
      // and is trimmed after it together with the controls it covered.
      {u"\u3000ａ\u3000", u"a"},
      {u"\u3000\t\u3000Ａ\x01\u3000", u"A"},
      {u"\u3000", u""},
      {u"報告書\u3000（最終）", u"報告書 (最終)"},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(ToHalfWidth(c.input, Mapper()), c.expected) << Show(c.input);
}

TEST(ToHalfWidth, KeepsLongTextsWhole) {
  // A name whose half-width form is twice as long as a 256-unit buffer.
  std::u16string name, expected;
  for (int i = 0; i < 256; ++i) {
    name += u"ぶ";
    expected += u"ﾌﾞ";
  }
  name += u"の最後.txt";
  expected += u"ﾉ最後.txt";
  EXPECT_EQ(ToHalfWidth(name, Mapper()), expected);
}

TEST(RemoveSpaces, DeletesSpacesUnlessTheTextIsBlank) {
  const TextCase cases[] = {
      {u" 1 2", u"12"},
      {u"a b c.txt", u"abc.txt"},
      {u"a\tb c ", u"a\tbc"},
      // Blank texts come back as they are.
      {u"   ", u"   "},
      {u" \t ", u" \t "},
      {u"", u""},
      // The ideographic space is no U+0020 and not blank.
      {u"\u3000 \u3000", u"\u3000\u3000"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(RemoveSpaces(c.input), c.expected) << Show(c.input);
}

TEST(ToUpperAscii, ChangesOnlyAsciiLetters) {
  const TextCase cases[] = {
      {u"report.xlsx", u"REPORT.XLSX"},
      {u"az{`@[", u"AZ{`@["},
      {u"ａｂｃäé", u"ａｂｃäé"},
      {u"ﾚﾎﾟｰﾄ abc", u"ﾚﾎﾟｰﾄ ABC"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(ToUpperAscii(c.input), c.expected) << Show(c.input);
}

}  // namespace
}  // namespace tarnvik::lib
