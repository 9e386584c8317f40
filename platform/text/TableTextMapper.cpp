#include "platform/text/TableTextMapper.h"

#include <array>
#include <cstdint>

namespace tarnvik::platform {

namespace {

// What one code unit maps to: one or two code units.
struct Mapped {
  char16_t first = 0;
  char16_t second = 0;
  uint8_t length = 0;  // 0: the code unit maps to itself
};

struct Pair {
  char16_t from;
  const char16_t* to;
};

// clang-format off
constexpr Pair kHalfWidthPairs[] = {
    {u'\u3000', u" "},
    {u'、', u"､"}, {u'。', u"｡"}, {u'「', u"｢"}, {u'」', u"｣"}, {u'・', u"･"}, {u'ー', u"ｰ"},
    {u'゛', u"ﾞ"}, {u'゜', u"ﾟ"}, {u'\u3099', u"ﾞ"}, {u'\u309A', u"ﾟ"},
    {u'ァ', u"ｧ"}, {u'ア', u"ｱ"}, {u'ィ', u"ｨ"}, {u'イ', u"ｲ"}, {u'ゥ', u"ｩ"}, {u'ウ', u"ｳ"},
    {u'ェ', u"ｪ"}, {u'エ', u"ｴ"}, {u'ォ', u"ｫ"}, {u'オ', u"ｵ"},
    {u'カ', u"ｶ"}, {u'ガ', u"ｶﾞ"}, {u'キ', u"ｷ"}, {u'ギ', u"ｷﾞ"}, {u'ク', u"ｸ"}, {u'グ', u"ｸﾞ"},
    {u'ケ', u"ｹ"}, {u'ゲ', u"ｹﾞ"}, {u'コ', u"ｺ"}, {u'ゴ', u"ｺﾞ"},
    {u'サ', u"ｻ"}, {u'ザ', u"ｻﾞ"}, {u'シ', u"ｼ"}, {u'ジ', u"ｼﾞ"}, {u'ス', u"ｽ"}, {u'ズ', u"ｽﾞ"},
    {u'セ', u"ｾ"}, {u'ゼ', u"ｾﾞ"}, {u'ソ', u"ｿ"}, {u'ゾ', u"ｿﾞ"},
    {u'タ', u"ﾀ"}, {u'ダ', u"ﾀﾞ"}, {u'チ', u"ﾁ"}, {u'ヂ', u"ﾁﾞ"}, {u'ッ', u"ｯ"}, {u'ツ', u"ﾂ"},
    {u'ヅ', u"ﾂﾞ"}, {u'テ', u"ﾃ"}, {u'デ', u"ﾃﾞ"}, {u'ト', u"ﾄ"}, {u'ド', u"ﾄﾞ"},
    {u'ナ', u"ﾅ"}, {u'ニ', u"ﾆ"}, {u'ヌ', u"ﾇ"}, {u'ネ', u"ﾈ"}, {u'ノ', u"ﾉ"},
    {u'ハ', u"ﾊ"}, {u'バ', u"ﾊﾞ"}, {u'パ', u"ﾊﾟ"}, {u'ヒ', u"ﾋ"}, {u'ビ', u"ﾋﾞ"}, {u'ピ', u"ﾋﾟ"},
    {u'フ', u"ﾌ"}, {u'ブ', u"ﾌﾞ"}, {u'プ', u"ﾌﾟ"}, {u'ヘ', u"ﾍ"}, {u'ベ', u"ﾍﾞ"}, {u'ペ', u"ﾍﾟ"},
    {u'ホ', u"ﾎ"}, {u'ボ', u"ﾎﾞ"}, {u'ポ', u"ﾎﾟ"},
    {u'マ', u"ﾏ"}, {u'ミ', u"ﾐ"}, {u'ム', u"ﾑ"}, {u'メ', u"ﾒ"}, {u'モ', u"ﾓ"},
    {u'ャ', u"ｬ"}, {u'ヤ', u"ﾔ"}, {u'ュ', u"ｭ"}, {u'ユ', u"ﾕ"}, {u'ョ', u"ｮ"}, {u'ヨ', u"ﾖ"},
    {u'ラ', u"ﾗ"}, {u'リ', u"ﾘ"}, {u'ル', u"ﾙ"}, {u'レ', u"ﾚ"}, {u'ロ', u"ﾛ"},
    {u'ワ', u"ﾜ"}, {u'ヲ', u"ｦ"}, {u'ン', u"ﾝ"},
    {u'ヴ', u"ｳﾞ"}, {u'ヷ', u"ﾜﾞ"}, {u'ヺ', u"ｦﾞ"},
    {u'￠', u"¢"}, {u'￡', u"£"}, {u'￢', u"¬"}, {u'￣', u"¯"}, {u'￤', u"¦"}, {u'￥', u"¥"},
    {u'￦', u"₩"},
};
// clang-format on

// The two blocks that hold every mapped code unit.
constexpr char16_t kCjkFirst = 0x3000;
constexpr char16_t kFormsFirst = 0xFF00;
constexpr size_t kBlockSize = 0x100;

using Block = std::array<Mapped, kBlockSize>;

constexpr Mapped MakeMapped(const char16_t* to) {
  Mapped m;
  m.first = to[0];
  m.second = to[1];
  m.length = to[1] == 0 ? 1 : 2;
  return m;
}

constexpr Block HalfWidthBlock(char16_t first) {
  Block block{};
  for (const Pair& p : kHalfWidthPairs) {
    if (p.from >= first && p.from - first < static_cast<int>(kBlockSize)) {
      block[p.from - first] = MakeMapped(p.to);
    }
  }
  return block;
}

constexpr Block kHalfWidthCjk = HalfWidthBlock(kCjkFirst);
constexpr Block kHalfWidthForms = [] {
  Block block = HalfWidthBlock(kFormsFirst);
  for (char16_t c = 0xFF01; c <= 0xFF5E; ++c) {
    block[c - kFormsFirst] = Mapped{static_cast<char16_t>(c - 0xFEE0), 0, 1};
  }
  return block;
}();

void Append(std::u16string& out, char16_t c, const Mapped& m) {
  if (m.length == 0) {
    out.push_back(c);
  } else {
    out.push_back(m.first);
    if (m.length == 2) out.push_back(m.second);
  }
}

}  // namespace

std::u16string TableTextMapper::ToKatakana(std::u16string_view text) const {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if ((c >= u'ぁ' && c <= u'ゖ') || c == u'ゝ' || c == u'ゞ') {
      out.push_back(static_cast<char16_t>(c + 0x60));
    } else if (c == u'ゟ') {
      out += u"ヨリ";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u16string TableTextMapper::ToHalfWidth(std::u16string_view text) const {
  std::u16string out;
  // Voiced kana grow by one code unit; most names hold few of them.
  out.reserve(text.size() + text.size() / 4);
  for (char16_t c : text) {
    if (c >= kCjkFirst && c < kCjkFirst + kBlockSize) {
      Append(out, c, kHalfWidthCjk[c - kCjkFirst]);
    } else if (c >= kFormsFirst) {
      Append(out, c, kHalfWidthForms[c - kFormsFirst]);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace tarnvik::platform
