#include "base/TextCodec.h"

#include <gtest/gtest.h>

#include <random>

namespace tarnvik::base {
namespace {

TEST(TextCodec, DecodesValidUtf8) {
  EXPECT_EQ(NativeToText("abc"), u"abc");
  EXPECT_EQ(NativeToText("レポート.xls"), u"レポート.xls");
  EXPECT_EQ(NativeToText("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(TextCodec, InvalidBytesBecomeLoneSurrogates) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       u"a\xDCFF"
       u"b"},
      {"\x82\xA0", u"\xDC82\xDCA0"},                      // Shift-JIS bytes
      {"\xC0\x80", u"\xDCC0\xDC80"},                      // overlong NUL
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // above U+10FFFF
      {"\xE3\x81", u"\xDCE3\xDC81"},                      // cut sequence
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NativeToText(c.bytes), c.text);
    EXPECT_EQ(TextToNative(c.text), c.bytes);
  }
}

TEST(TextCodec, AnyByteStringSurvivesTheRoundTrip) {
  std::mt19937 rng(7);
  const char pieces[][5] = {"a",    "\xE3\x81\x82", "\xFF",         "\x80", "\xC3",
                            "\xA9", "\xF0\x9F",     "\xED\xB2\x80", "/",    " "};
  for (int n = 0; n < 2000; ++n) {
    std::string s;
    const int len = rng() % 12;
    for (int k = 0; k < len; ++k) s += pieces[rng() % std::size(pieces)];
    EXPECT_EQ(TextToNative(NativeToText(s)), s);
  }
}

}  // namespace
}  // namespace tarnvik::base
