#include "platform/win32/RegistrySettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnvik::platform {
namespace {

// A key of the test's own under HKEY_CURRENT_USER, deleted afterwards.
class PrivateKey : public ::testing::Test {
 protected:
  PrivateKey()
      : path_(L"Software\\TarnvikTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64())) {}
  ~PrivateKey() override { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
  std::wstring path_;
};

TEST_F(PrivateKey, ValuesSurviveTheRoundTrip) {
  RegistrySettingsStore store(path_);
  EXPECT_FALSE(store.KeyExists());
  EXPECT_EQ(store.ReadInteger("Height"), std::nullopt);
  EXPECT_EQ(store.ReadString("SrchFrom0"), u"");
  store.WriteInteger("Height", 768);
  store.WriteInteger("Width", -1);
  store.WriteString("SrchFrom0", u"C:");
  store.WriteString("SrchFrom1", u"D:\\資料\\\U0001F600");
  store.WriteString("SrchFrom2", u"");
  // Read before the flush: the written values.
  EXPECT_EQ(store.ReadInteger("Height"), 768);
  EXPECT_FALSE(store.KeyExists());
  ASSERT_TRUE(store.Flush());

  const RegistrySettingsStore again(path_);
  EXPECT_TRUE(again.KeyExists());
  EXPECT_EQ(again.ReadInteger("Height"), 768);
  EXPECT_EQ(again.ReadInteger("Width"), -1);
  EXPECT_EQ(again.ReadString("SrchFrom0"), u"C:");
  EXPECT_EQ(again.ReadString("SrchFrom1"), u"D:\\資料\\\U0001F600");
  EXPECT_EQ(again.ReadString("SrchFrom2"), u"");
  EXPECT_EQ(again.ReadString("SrchFrom3"), u"");

  // The value types are fixed: DWORD integers, REG_SZ strings.
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  RegQueryValueExW(key, L"Height", nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegQueryValueExW(key, L"SrchFrom0", nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  RegCloseKey(key);
}

// A value of the wrong type reads as absent; a string stored without its
// terminating zero is read in full.
TEST_F(PrivateKey, WrongTypesReadAsAbsent) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t text[] = L"640";
  RegSetValueExW(key, L"Height", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
  const DWORD number = 5;
  RegSetValueExW(key, L"SrchFrom0", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  const wchar_t unterminated[] = {L'E', L':'};
  RegSetValueExW(key, L"SrchFrom1", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                 sizeof unterminated);
  RegCloseKey(key);

  const RegistrySettingsStore store(path_);
  EXPECT_TRUE(store.KeyExists());
  EXPECT_EQ(store.ReadInteger("Height"), std::nullopt);
  EXPECT_EQ(store.ReadString("SrchFrom0"), u"");
  EXPECT_EQ(store.ReadString("SrchFrom1"), u"E:");
}

}  // namespace
}  // namespace tarnvik::platform
