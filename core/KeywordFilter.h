#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "platform/TextMapper.h"

namespace tarnvik::core {

// Item indices of the connective combo box CmbAndOr. Text typed into the box
// that leaves no item selected gives -1.
inline constexpr int kConnectiveAnd = 0;
inline constexpr int kConnectiveOr = 1;

// The form in which file names and keywords are compared:
// RemoveSpaces(ToUpperAscii(ToHalfWidth(text))) with the helpers of
// Fnc_StdFnc and a text mapper. Hiragana and katakana, full and half
// width, the case of ASCII letters and spaces (U+0020 and U+3000) make no
// difference; controls inside the text stay. The result is empty when
// nothing but spaces and controls is left.
//
// Computed in one pass over a table folded from the mapper when the first
// key is asked for. That gives exactly the composition above because the
// mapper maps each code unit on its own and leaves the code units up to
// U+0020 unchanged. Once folded, any thread may ask for keys; the first
// call comes from one thread.
class MatchKeys {
 public:
  // `mapper` must outlive this object.
  explicit MatchKeys(const platform::TextMapper& mapper);
  ~MatchKeys();
  MatchKeys(const MatchKeys&) = delete;
  MatchKeys& operator=(const MatchKeys&) = delete;

  // The match key of `text`.
  std::u16string Of(std::u16string_view text) const;
  // The same, written into `out` (its contents are replaced), so that a
  // caller normalising many names reuses one buffer.
  void Into(std::u16string_view text, std::u16string& out) const;

 private:
  class FoldTable;
  const FoldTable& Table() const;

  const platform::TextMapper& mapper_;
  mutable std::unique_ptr<FoldTable> table_;
};

// Whether a row whose file name has the match key `nameKey` is listed for the
// match keys k1 and k2 of the two keywords and the connective index. A key
// occurs in a name when it is a non-empty substring of it.
// - k1 occurs: listed unless the connective is "and" (0), k2 is not empty and
//   k2 does not occur.
// - k1 does not occur: listed only when the connective is "or " (1) and k2
//   occurs.
// So "and" with an empty k2 is a search for k1 alone, "or " lists names with
// either key, and a typed connective (-1) lists names with k1 and ignores k2.
bool RowMatches(std::u16string_view nameKey, std::u16string_view k1, std::u16string_view k2,
                int connective);

// The lower search button: when keyword1 is blank after trimming, returns
// false and changes nothing at all (the lower table and the count box keep
// what they show). Otherwise clears `lower`, appends a copy of every data row
// of `upper` whose file name as shown (column 1 through lib::DisplayText, so
// a CP932 name is found by the words it shows) passes RowMatches with the
// match keys of the two keywords, drops the trailing blank row unless the
// table is empty (an empty result keeps its one blank row), shows the number
// of rows appended (RowCount - 1 of `lower`, or 0 when nothing matched) in
// the Selected count box and returns true; the caller then enables the
// lower Excel button. The names are normalised afresh on every call.
// `upper` and `lower` must be different tables. UI thread only.
bool FilterRows(const base::ResultTable& upper, base::ResultTable& lower,
                std::u16string_view keyword1, std::u16string_view keyword2, int connective,
                const MatchKeys& keys, base::EngineHost& host);

}  // namespace tarnvik::core
