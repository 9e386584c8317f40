#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarnvik::windows {

// The one conversion between the table's UTF-16 text and Qt's: both are
// UTF-16, so the code units are copied as they are (lone surrogates
// included) and nothing is lost either way.
inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The code units of `text` in place; valid while `text` is unchanged.
inline std::u16string_view TextView(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

inline std::u16string ToText(const QString& text) { return std::u16string(TextView(text)); }

}  // namespace tarnvik::windows
