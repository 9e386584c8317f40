#include "platform/qt/QtSettingsStore.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>

namespace tarnvik::platform {

namespace {

QString KeyName(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// True when the text holds a surrogate that is not part of a pair; the
// settings file is UTF-8 and would turn it into U+FFFD.
bool HasLoneSurrogate(const std::u16string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        ++i;
        continue;
      }
      return true;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) return true;
  }
  return false;
}

// True when nothing is at `path` or a regular file is; QSettings reads the
// file as soon as it is made, and a FIFO there would never answer.
bool MayBeSettingsFile(const QString& path) {
  struct stat st {};
  if (stat(QFile::encodeName(path).constData(), &st) != 0) return true;
  return S_ISREG(st.st_mode);
}

// The user's settings file, where QSettings keeps organisation "Tarnvik",
// application "Tarnvik" on Linux.
QString UserFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Tarnvik/Tarnvik.conf");
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(UserFile()) {}

QtSettingsStore::QtSettingsStore(const QString& filePath) : path_(filePath) {
  if (MayBeSettingsFile(path_)) {
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
  }
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::FileName() const { return path_; }

std::u16string QtSettingsStore::Location() const {
  return std::u16string(reinterpret_cast<const char16_t*>(path_.utf16()),
                        static_cast<size_t>(path_.size()));
}

bool QtSettingsStore::KeyExists() const { return settings_ && !settings_->allKeys().isEmpty(); }

std::optional<int> QtSettingsStore::ReadInteger(std::string_view name) const {
  if (!settings_) return std::nullopt;
  const QVariant v = settings_->value(KeyName(name));
  if (!v.isValid()) return std::nullopt;
  // The file holds text; anything but a plain decimal integer is a damaged
  // value, never a zero.
  bool ok = false;
  const int value = v.toString().trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

std::u16string QtSettingsStore::ReadString(std::string_view name) const {
  if (!settings_) return {};
  const QVariant v = settings_->value(KeyName(name));
  if (!v.isValid()) return {};
  if (v.typeId() == QMetaType::QByteArray) {
    const QByteArray units = v.toByteArray();
    std::u16string out(static_cast<size_t>(units.size() / 2), u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] = static_cast<char16_t>(static_cast<unsigned char>(units[2 * i]) |
                                     static_cast<unsigned char>(units[2 * i + 1]) << 8);
    }
    return out;
  }
  const QString s = v.toString();
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()),
                        static_cast<size_t>(s.size()));
}

void QtSettingsStore::WriteInteger(std::string_view name, int value) {
  if (!settings_) return;
  settings_->setValue(KeyName(name), value);
}

void QtSettingsStore::WriteString(std::string_view name, const std::u16string& value) {
  if (!settings_) return;
  if (HasLoneSurrogate(value)) {
    // Kept as raw UTF-16 code units so that a folder whose name is not valid
    // UTF-8 is found again at the next start.
    QByteArray units;
    units.reserve(static_cast<qsizetype>(value.size() * 2));
    for (char16_t c : value) {
      units.append(static_cast<char>(c & 0xFF));
      units.append(static_cast<char>(c >> 8));
    }
    settings_->setValue(KeyName(name), units);
    return;
  }
  settings_->setValue(KeyName(name), QString(reinterpret_cast<const QChar*>(value.data()),
                                             static_cast<qsizetype>(value.size())));
}

bool QtSettingsStore::Flush() {
  // Something else may have taken the file's place since start-up.
  if (!settings_ || !MayBeSettingsFile(path_)) return false;
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace tarnvik::platform
