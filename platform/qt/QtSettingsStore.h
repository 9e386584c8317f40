#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "platform/Settings.h"

namespace tarnvik::platform {

// The saved settings in a QSettings file. The default store is the user's
// file of organisation "Tarnvik", application "Tarnvik": on Linux
// $XDG_CONFIG_HOME/Tarnvik/Tarnvik.conf (~/.config/Tarnvik/Tarnvik.conf),
// with the value names at the top level of the file. Integers are written
// as decimal text; strings keep every UTF-16 code unit, lone surrogates
// (file names that are not valid UTF-8) included.
//
// Only a regular file (or a link to one) is read or written. Anything else
// at the settings path (a FIFO, a device, a folder) is taken as no settings
// at all, since reading it could block or return garbage, and Flush then
// fails without touching it.
class QtSettingsStore final : public SettingsStore {
 public:
  // The user's own settings file.
  QtSettingsStore();
  // A settings file at an explicit path (tests, benchmarks, scripts).
  explicit QtSettingsStore(const QString& filePath);
  ~QtSettingsStore() override;

  // The file the values are read from and written to.
  QString FileName() const;

  bool KeyExists() const override;
  std::optional<int> ReadInteger(std::string_view name) const override;
  std::u16string ReadString(std::string_view name) const override;
  void WriteInteger(std::string_view name, int value) override;
  void WriteString(std::string_view name, const std::u16string& value) override;
  bool Flush() override;
  std::u16string Location() const override;

 private:
  QString path_;
  // Null when the path holds something other than a regular file.
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tarnvik::platform
