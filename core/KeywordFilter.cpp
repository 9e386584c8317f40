#include "core/KeywordFilter.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/ColumnLayout.h"
#include "lib/DisplayText.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"
#include "platform/TextMapper.h"

namespace tarnvik::core {

namespace {

bool Occurs(std::u16string_view key, std::u16string_view text) {
  return !key.empty() && text.find(key) != std::u16string_view::npos;
}

}  // namespace

// The whole normalisation of one code unit (kana fold, half width, ASCII
// upper case), folded once from the mapper so that a name is normalised in a
// single pass without building intermediate strings.
class MatchKeys::FoldTable {
 public:
  explicit FoldTable(const platform::TextMapper& mapper) {
    // Most pages map every code unit to itself; they all share page 0 of
    // the store, so the table stays small and its hot part in the cache.
    store_.emplace_back();
    for (size_t page = 0; page < kPages; ++page) {
      Page built{};
      bool identity = true;
      for (size_t low = 0; low < kPageSize; ++low) {
        const auto c = static_cast<char16_t>(page * kPageSize + low);
        const std::u16string mapped =
            lib::ToUpperAscii(mapper.ToHalfWidth(mapper.ToKatakana(std::u16string_view(&c, 1))));
        Entry& e = built[low];
        if (mapped.size() == 1) {
          e.delta = static_cast<char16_t>(mapped[0] - c);
        } else {
          e.start = static_cast<uint32_t>(pool_.size());
          pool_ += mapped;
        }
        e.length = static_cast<uint32_t>(mapped.size());
        identity = identity && e.length == 1 && e.delta == 0;
      }
      if (identity) {
        pages_[page] = 0;
      } else {
        pages_[page] = static_cast<uint32_t>(store_.size());
        store_.push_back(built);
      }
    }
  }

  void Normalise(std::u16string_view text, std::u16string& out) const {
    out.clear();
    // The key runs from the first to the last code unit above U+0020 of the
    // mapped text; spaces go everywhere, other controls only at the ends.
    size_t kept = 0;
    const auto put = [&](char16_t u) {
      if (u > u' ') {
        out.push_back(u);
        kept = out.size();
      } else if (u != u' ' && kept != 0) {
        out.push_back(u);
      }
    };
    for (char16_t c : text) {
      const Entry& e = store_[pages_[c / kPageSize]][c % kPageSize];
      if (e.length == 1) {
        put(static_cast<char16_t>(c + e.delta));
      } else {
        for (uint32_t k = 0; k < e.length; ++k) put(pool_[e.start + k]);
      }
    }
    out.resize(kept);
  }

 private:
  static constexpr size_t kPageSize = 256;
  static constexpr size_t kPages = 0x10000 / kPageSize;

  struct Entry {
    char16_t delta = 0;   // single code unit: the mapped unit minus the unit
    uint32_t length = 1;  // code units it maps to
    uint32_t start = 0;   // where they are in pool_ when length is not 1
  };
  using Page = std::array<Entry, kPageSize>;

  std::vector<Page> store_;
  std::array<uint32_t, kPages> pages_{};
  std::u16string pool_;
};

MatchKeys::MatchKeys(const platform::TextMapper& mapper) : mapper_(mapper) {}

MatchKeys::~MatchKeys() = default;

const MatchKeys::FoldTable& MatchKeys::Table() const {
  if (!table_) table_ = std::make_unique<FoldTable>(mapper_);
  return *table_;
}

void MatchKeys::Into(std::u16string_view text, std::u16string& out) const {
  Table().Normalise(text, out);
}

std::u16string MatchKeys::Of(std::u16string_view text) const {
  std::u16string out;
  Into(text, out);
  return out;
}

bool RowMatches(std::u16string_view nameKey, std::u16string_view k1, std::u16string_view k2,
                int connective) {
  if (Occurs(k1, nameKey)) {
    return connective != kConnectiveAnd || k2.empty() || Occurs(k2, nameKey);
  }
  return connective == kConnectiveOr && Occurs(k2, nameKey);
}

bool FilterRows(const base::ResultTable& upper, base::ResultTable& lower,
                std::u16string_view keyword1, std::u16string_view keyword2, int connective,
                const MatchKeys& keys, base::EngineHost& host) {
  if (lib::IsBlank(keyword1)) return false;
  const std::u16string k1 = keys.Of(keyword1);
  const std::u16string k2 = keys.Of(keyword2);
  lib::ClearGrid(lower);
  std::u16string name;
  std::u16string shown;
  for (int i = 1; i < upper.RowCount(); ++i) {
    keys.Into(lib::DisplayText(upper.Cell(base::kColName, i), shown), name);
    if (!RowMatches(name, k1, k2, connective)) continue;
    lower.AppendRowFrom(upper, i);
  }
  host.ShowCount(base::CountBox::Selected, lower.DropTrailingBlankRow());
  return true;
}

}  // namespace tarnvik::core
