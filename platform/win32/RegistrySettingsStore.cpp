#include "platform/win32/RegistrySettingsStore.h"

#include <vector>

namespace tarnvik::platform {

namespace {

// Value names are ASCII.
std::wstring WideName(std::string_view name) { return std::wstring(name.begin(), name.end()); }

// A key opened for reading, closed when it goes out of scope.
class ReadKey {
 public:
  ReadKey(HKEY root, const std::wstring& path) {
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~ReadKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  ReadKey(const ReadKey&) = delete;
  ReadKey& operator=(const ReadKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring keyPath, HKEY root)
    : keyPath_(std::move(keyPath)), root_(root) {}

bool RegistrySettingsStore::KeyExists() const { return ReadKey(root_, keyPath_).get() != nullptr; }

std::optional<int> RegistrySettingsStore::ReadInteger(std::string_view name) const {
  if (const auto it = pending_.find(name); it != pending_.end()) {
    if (const int* v = std::get_if<int>(&it->second)) return *v;
    return std::nullopt;
  }
  const ReadKey key(root_, keyPath_);
  if (key.get() == nullptr) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key.get(), WideName(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::u16string RegistrySettingsStore::ReadString(std::string_view name) const {
  if (const auto it = pending_.find(name); it != pending_.end()) {
    if (const auto* v = std::get_if<std::u16string>(&it->second)) return *v;
    return {};
  }
  const ReadKey key(root_, keyPath_);
  if (key.get() == nullptr) return {};
  const std::wstring wide = WideName(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  // The value may change between the two calls; ask again while it grows.
  std::vector<BYTE> data;
  LSTATUS status;
  do {
    data.resize(size + sizeof(wchar_t));
    size = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, data.data(), &size);
  } while (status == ERROR_MORE_DATA);
  if (status != ERROR_SUCCESS || type != REG_SZ) return {};
  std::u16string text(reinterpret_cast<const char16_t*>(data.data()), size / sizeof(char16_t));
  // A stored string usually carries its terminating zero; one that does not
  // is read in full.
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

void RegistrySettingsStore::WriteInteger(std::string_view name, int value) {
  pending_.insert_or_assign(std::string(name), Value(value));
}

void RegistrySettingsStore::WriteString(std::string_view name, const std::u16string& value) {
  pending_.insert_or_assign(std::string(name), Value(value));
}

bool RegistrySettingsStore::Flush() {
  if (pending_.empty()) return true;
  HKEY key = nullptr;
  if (RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    pending_.clear();
    return false;
  }
  bool ok = true;
  for (const auto& [name, value] : pending_) {
    const std::wstring wide = WideName(name);
    LSTATUS status;
    if (const int* v = std::get_if<int>(&value)) {
      const DWORD dword = static_cast<DWORD>(*v);
      status = RegSetValueExW(key, wide.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&dword), sizeof dword);
    } else {
      const std::u16string& text = std::get<std::u16string>(value);
      status =
          RegSetValueExW(key, wide.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    }
    ok = ok && status == ERROR_SUCCESS;
  }
  ok = RegFlushKey(key) == ERROR_SUCCESS && ok;
  RegCloseKey(key);
  pending_.clear();
  return ok;
}

}  // namespace tarnvik::platform
