#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnvik::platform {

// The program's saved settings: one key ("Software\Tarnvik") holding named
// integer and string values ("Height", "Width", "SrchFrom0".."SrchFrom4").
// Where the values live is the implementation's business; the names and
// the value types are fixed.
//
// Reads never fail loudly: a value that is missing or of the wrong type
// reads as absent. Writes are collected and reach the store at Flush().
// Not thread-safe; the UI thread owns the store.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // True when the key exists, i.e. some value was saved before.
  virtual bool KeyExists() const = 0;

  // The integer value `name`; nothing when it is missing or its text is not
  // a decimal integer that fits in an int.
  virtual std::optional<int> ReadInteger(std::string_view name) const = 0;

  // The string value `name`; an empty text when it is missing.
  virtual std::u16string ReadString(std::string_view name) const = 0;

  // Stores a value, creating the key when it is missing.
  virtual void WriteInteger(std::string_view name, int value) = 0;
  virtual void WriteString(std::string_view name, const std::u16string& value) = 0;

  // Writes what was stored to the backing store. Returns false when that
  // failed (read-only folder, full disk, something other than a settings
  // file in its place); the values are then lost.
  virtual bool Flush() = 0;

  // Where the values are kept, for telling the user (a file path, a
  // registry key); empty when the store has no such place.
  virtual std::u16string Location() const { return {}; }
};

}  // namespace tarnvik::platform
