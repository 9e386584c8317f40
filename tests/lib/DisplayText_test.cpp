#include "lib/DisplayText.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <string>

#include "base/TextCodec.h"
#include "lib/Cp932.h"

namespace tarnvik::lib {
namespace {

// What the grids show for a file name or folder read from the disk as
// `bytes`; `shown` is UTF-8, or empty when the cell is to be shown as it is.
struct Case {
  const char* what;
  std::string bytes;
  std::string shown;
};

const Case kCases[] = {
    {"hiragana", "\x82\xea\x82\xdb\x81[\x82\xc6.txt", "れぽーと.txt"},
    {"katakana", "\x83\x8c\x83|\x81[\x83g.xls", "レポート.xls"},
    {"half-width katakana", "\xda\xce\xdf\xb0\xc4.txt", "ﾚﾎﾟｰﾄ.txt"},
    {"half-width, a pair that reads as UTF-8", "\xc3\xde\xb0\xc0.csv", "ﾃﾞｰﾀ.csv"},
    {"kanji and digits",
     "\x8b"
     "c\x8e\x96\x98^2024.docx",
     "議事録2024.docx"},
    {"two-byte UTF-8 by chance", "\x96\xcb\x82\xcc\x93X.jpg", "麺の店.jpg"},
    {"three-byte UTF-8 by chance", "\xe3\x94\x82\xab\x82\xcc\x95\xf1\x8d\x90.txt",
     "續きの報告.txt"},
    {"four-byte UTF-8 by chance", "Report_\x95\xf1\x8d\x90\x8f\x91 v2.pdf", "Report_報告書 v2.pdf"},
    {"a kanji-block character by chance", "\x8e\xe8\x8f\x87\x8f\x91.xlsx", "手順書.xlsx"},
    {"trail byte 0x5C",
     "\x95\\\x8c"
     "v\x8e"
     "Z\x83\\\x83t\x83g.xls",
     "表計算ソフト.xls"},
    {"NEC and IBM extensions", "\x87@\xee\xef\xfb\xfc.txt", "①ⅰ髙.txt"},
    {"folder: UTF-8 above CP932",
     "書類/\x8b"
     "c\x8e\x96\x98^",
     "書類/議事録"},
    {"folder: one part of each kind", "\xff\xfe/\x83\x8c\x83|\x81[\x83g/ok",
     "\xff\xfe/レポート/ok"},
    // Not CP932 either: shown as today, each stray byte as U+FFFD.
    {"byte 0x80",
     "\x80"
     "abc.txt",
     ""},
    {"byte 0xFF", "abc\xff.txt", ""},
    {"lead byte without trail", "abc\x83", ""},
    {"lead byte with a control as trail", "\x83\x1f.txt", ""},
    {"user-defined area", "\xf0\x40.txt", ""},
    {"unassigned code", "\x85\x40.txt", ""},
    // UTF-8: unchanged, also with a stray or cut byte.
    {"UTF-8", "レポート.xls", ""},
    {"UTF-8 accents", "café.txt", ""},
    {"UTF-8 cut in the middle", "レポー\xe3\x83.txt", ""},
    {"UTF-8 with a stray byte", "報告\x81.txt", ""},
    {"ASCII", "report-2024.txt", ""},
    {"empty", "", ""},
};

TEST(DisplayText, ShowsCp932NamesDecodedAndEverythingElseAsItIs) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::u16string cell = base::NativeToText(c.bytes);
    const std::u16string want = c.shown.empty() ? cell : base::NativeToText(c.shown);
    std::u16string buffer;
    EXPECT_EQ(std::u16string(DisplayText(cell, buffer)), want);
    EXPECT_EQ(DisplayText(cell), want);
  }
}

TEST(DisplayText, BufferIsReusedAcrossCells) {
  std::u16string buffer;
  const std::u16string sjis = base::NativeToText("\x83\x8c\x83|\x81[\x83g");
  const std::u16string plain = u"plain";
  EXPECT_EQ(DisplayText(sjis, buffer), u"レポート");
  EXPECT_EQ(DisplayText(plain, buffer), u"plain");
  EXPECT_EQ(DisplayText(base::NativeToText("\xda\xce"), buffer), u"ﾚﾎ");
}

// The committed table against the C library's converter it was made from:
// every single byte and every pair of a lead byte and any second byte.
TEST(Cp932, AgreesWithTheSystemConverter) {
  iconv_t cd = iconv_open("UTF-16LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP932 converter here";
  const auto system = [&](const std::string& in, std::u16string& out) {
    char buf[16];
    char* inp = const_cast<char*>(in.data());
    char* outp = buf;
    size_t inLeft = in.size();
    size_t outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) return false;
    if (iconv(cd, nullptr, nullptr, &outp, &outLeft) == static_cast<size_t>(-1)) return false;
    out.clear();
    for (char* p = buf; p + 1 < outp; p += 2) {
      out.push_back(
          static_cast<char16_t>(static_cast<uint8_t>(p[0]) | (static_cast<uint8_t>(p[1]) << 8)));
    }
    return true;
  };
  int decoded = 0;
  std::u16string ours;
  std::u16string theirs;
  for (int first = 0; first < 0x100; ++first) {
    for (int second = -1; second < 0x100; ++second) {
      std::string in(1, static_cast<char>(first));
      if (second >= 0) in.push_back(static_cast<char>(second));
      const bool userDefined = first >= 0xF0 && first <= 0xF9;
      ours.clear();
      const bool ok = DecodeCp932(in, ours);
      const bool sys = system(in, theirs);
      SCOPED_TRACE(testing::Message() << std::hex << first << " " << second);
      if (userDefined) {
        EXPECT_FALSE(ok);
        continue;
      }
      ASSERT_EQ(ok, sys);
      if (ok) {
        EXPECT_EQ(ours, theirs);
        ++decoded;
      }
    }
  }
  iconv_close(cd);
  // Single bytes, pairs of them, and the two-byte characters.
  EXPECT_GT(decoded, 7000);
}

}  // namespace
}  // namespace tarnvik::lib
