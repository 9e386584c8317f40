#include "platform/TextMapper.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/SystemServices.h"
#include "platform/text/TableTextMapper.h"

namespace tarnvik::platform {
namespace {

std::string Hex(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%s%04X", out.empty() ? "" : " ", static_cast<unsigned>(c));
    out += buf;
  }
  return "[" + out + "]";
}

// ICU's "Hiragana-Katakana" followed by "Fullwidth-Halfwidth": the mapping
// our tables have to agree with.
class IcuFolding {
 public:
  IcuFolding() {
    UErrorCode status = U_ZERO_ERROR;
    kana_.reset(icu::Transliterator::createInstance("Hiragana-Katakana", UTRANS_FORWARD, status));
    width_.reset(
        icu::Transliterator::createInstance("Fullwidth-Halfwidth", UTRANS_FORWARD, status));
    ok_ = U_SUCCESS(status) && kana_ && width_;
  }
  bool ok() const { return ok_; }

  std::u16string Fold(std::u16string_view text) const {
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    kana_->transliterate(s);
    width_->transliterate(s);
    return std::u16string(s.getBuffer(), static_cast<size_t>(s.length()));
  }

 private:
  std::unique_ptr<icu::Transliterator> kana_;
  std::unique_ptr<icu::Transliterator> width_;
  bool ok_ = false;
};

std::u16string Fold(const TextMapper& m, std::u16string_view text) {
  return m.ToHalfWidth(m.ToKatakana(text));
}

// Where we map otherwise than ICU, on purpose.
struct Exception {
  std::u16string input;
  std::u16string ours;
  const char* reason;
};

const std::vector<Exception>& Exceptions() {
  static const std::vector<Exception> list = {
      {u"゛", u"ﾞ",
       "the spacing voicing mark is Japanese punctuation with a half-width form; ICU keeps it"},
      {u"゜", u"ﾟ",
       "the spacing semi-voicing mark is Japanese punctuation with a half-width form; ICU keeps "
       "it"},
      {u"ゕ", u"ヵ", "small hiragana become small katakana; ICU keeps the small ka"},
      {u"ゖ", u"ヶ", "small hiragana become small katakana; ICU keeps the small ke"},
      {u"ヿ", u"ヿ",
       "the digraph koto is a katakana without a half-width form and stays; ICU spells it ｺﾄ"},
      {u"ヿ\u3099", u"ヿﾞ", "ヿ stays and the combining mark becomes ﾞ; ICU gives ｺﾄﾞ"},
      {u"ヿ\u309A", u"ヿﾟ", "ヿ stays and the combining mark becomes ﾟ; ICU gives ｺﾄﾟ"},
      {u"ヰ\u3099", u"ヰﾞ",
       "a combining voicing mark always becomes ﾞ; ICU composes ヸ, which has no half-width form"},
      {u"ヱ\u3099", u"ヱﾞ",
       "a combining voicing mark always becomes ﾞ; ICU composes ヹ, which has no half-width form"},
      {u"ヽ\u3099", u"ヽﾞ",
       "a combining voicing mark always becomes ﾞ; ICU composes ヾ, which has no half-width form"},
  };
  return list;
}

const Exception* FindException(std::u16string_view input) {
  for (const Exception& e : Exceptions()) {
    if (e.input == input) return &e;
  }
  return nullptr;
}

std::vector<std::u16string> IcuComparedInputs() {
  std::vector<std::u16string> inputs;
  for (char32_t c = 0x3000; c <= 0x30FF; ++c) inputs.emplace_back(1, static_cast<char16_t>(c));
  for (char32_t c = 0xFF00; c <= 0xFFEF; ++c) inputs.emplace_back(1, static_cast<char16_t>(c));
  for (char32_t c = 0x30A0; c <= 0x30FF; ++c) {
    for (char16_t mark : {u'\u3099', u'\u309A'}) {
      inputs.push_back({static_cast<char16_t>(c), mark});
    }
  }
  return inputs;
}

TEST(TableTextMapper, FoldsLikeIcuOutsideTheDocumentedExceptions) {
  const IcuFolding icu;
  ASSERT_TRUE(icu.ok());
  const TableTextMapper mapper;
  int exceptionsSeen = 0;
  for (const std::u16string& input : IcuComparedInputs()) {
    const std::u16string ours = Fold(mapper, input);
    if (const Exception* e = FindException(input)) {
      ++exceptionsSeen;
      EXPECT_EQ(Hex(ours), Hex(e->ours)) << Hex(input) << ": " << e->reason;
      EXPECT_NE(Hex(icu.Fold(input)), Hex(e->ours))
          << Hex(input) << " is listed as an exception but ICU agrees with it";
    } else {
      EXPECT_EQ(Hex(ours), Hex(icu.Fold(input))) << "input " << Hex(input);
    }
  }
  EXPECT_EQ(exceptionsSeen, static_cast<int>(Exceptions().size()))
      << "an exception lies outside the compared inputs";
}

struct MapCase {
  std::u16string input;
  std::u16string katakana;
  std::u16string halfWidth;  // of the input itself, without the kana fold
};

TEST(TableTextMapper, MapsTheClassesTheFilterNeeds) {
  const MapCase cases[] = {
      {u"ひらがな", u"ヒラガナ", u"ひらがな"},
      {u"ぁぃぅぇぉっゃゅょゎゕゖ", u"ァィゥェォッャュョヮヵヶ", u"ぁぃぅぇぉっゃゅょゎゕゖ"},
      {u"ゔゝゞ", u"ヴヽヾ", u"ゔゝゞ"},
      {u"ガギグゲゴパピプペポ", u"ガギグゲゴパピプペポ", u"ｶﾞｷﾞｸﾞｹﾞｺﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
      {u"ヴヷヺ", u"ヴヷヺ", u"ｳﾞﾜﾞｦﾞ"},
      {u"ヮヵヶヰヱヸヹヽヾ", u"ヮヵヶヰヱヸヹヽヾ", u"ヮヵヶヰヱヸヹヽヾ"},
      {u"カ\u3099ハ\u309A", u"カ\u3099ハ\u309A", u"ｶﾞﾊﾟ"},
      {u"、。「」・ー゛゜", u"、。「」・ー゛゜", u"､｡｢｣･ｰﾞﾟ"},
      {u"ＡＢＣａｂｃ０１９！～", u"ＡＢＣａｂｃ０１９！～", u"ABCabc019!~"},
      {u"\u3000a\u3000", u"\u3000a\u3000", u" a "},
      {u"ﾚﾎﾟｰﾄ", u"ﾚﾎﾟｰﾄ", u"ﾚﾎﾟｰﾄ"},
      {u"報告書", u"報告書", u"報告書"},
      // Controls, spaces and lone or paired surrogates pass through.
      {u"\t \r\n\x01", u"\t \r\n\x01", u"\t \r\n\x01"},
      {u"\xD83D\xDE00\xDC80", u"\xD83D\xDE00\xDC80", u"\xD83D\xDE00\xDC80"},
      {u"", u"", u""},
  };
  const TableTextMapper mapper;
  for (const MapCase& c : cases) {
    EXPECT_EQ(Hex(mapper.ToKatakana(c.input)), Hex(c.katakana)) << Hex(c.input);
    EXPECT_EQ(Hex(mapper.ToHalfWidth(c.input)), Hex(c.halfWidth)) << Hex(c.input);
  }
}

TEST(TableTextMapper, MapsLongTextsWholeEvenWhenTheyGrow) {
  // The half-width form of 300 voiced kana takes 600 code units, well past
  // any fixed work buffer.
  std::u16string hiragana, katakana, halfWidth;
  for (int i = 0; i < 300; ++i) {
    hiragana += i % 2 ? u"が" : u"ぽ";
    katakana += i % 2 ? u"ガ" : u"ポ";
    halfWidth += i % 2 ? u"ｶﾞ" : u"ﾎﾟ";
  }
  hiragana += u"おわり";
  katakana += u"オワリ";
  halfWidth += u"ｵﾜﾘ";
  const TableTextMapper mapper;
  EXPECT_EQ(mapper.ToKatakana(hiragana), katakana);
  EXPECT_EQ(mapper.ToHalfWidth(katakana), halfWidth);
  EXPECT_EQ(Fold(mapper, hiragana).size(), 603u);
}

TEST(SystemServices, HandOutOneLastingTableMapper) {
  const SystemServices system;
  const TextMapper* first = system.Engine().textMapper;
  const EngineServices copy = system.Engine();
  EXPECT_EQ(first, copy.textMapper);
  EXPECT_NE(dynamic_cast<const TableTextMapper*>(first), nullptr);
}

}  // namespace
}  // namespace tarnvik::platform
