#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Settings.h"

namespace tarnvik::platform {

// SettingsStore in the Windows registry: the key `keyPath` (by default
// "Software\Tarnvik") under `root` (HKEY_CURRENT_USER), integers as
// REG_DWORD and strings as REG_SZ. A value of another type reads as absent.
// Reads see the values written since the last Flush() first, then the
// registry; Flush() creates the key when it is missing and writes the
// pending values.
class RegistrySettingsStore final : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::wstring keyPath = L"Software\\Tarnvik",
                                 HKEY root = HKEY_CURRENT_USER);

  bool KeyExists() const override;
  std::optional<int> ReadInteger(std::string_view name) const override;
  std::u16string ReadString(std::string_view name) const override;
  void WriteInteger(std::string_view name, int value) override;
  void WriteString(std::string_view name, const std::u16string& value) override;
  bool Flush() override;

 private:
  using Value = std::variant<int, std::u16string>;

  std::wstring keyPath_;
  HKEY root_;
  std::map<std::string, Value, std::less<>> pending_;
};

}  // namespace tarnvik::platform
