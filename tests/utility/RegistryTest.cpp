// The registry back end of the settings store against Wine's real registry, under
// HKEY_CURRENT_USER\Software\<test company>\<product>.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

#include "foundation/SysInfo.h"
#include "foundation/win32/RegistryKey.h"

namespace {

const char kCompany[] = "Vellichord Test Company";
const char kProduct[] = "Registry Settings";

class RegistrySettings : public testing::Test {
 protected:
  void SetUp() override {
    RemoveTestKeys();
    settings.SetStorageNames(kCompany, kProduct);
    ASSERT_EQ(settings.GetRegistryFlag(), 1);
  }
  void TearDown() override { RemoveTestKeys(); }

  static void RemoveTestKeys() {
    const std::string product = std::string("Software\\") + kCompany + "\\" + kProduct;
    for (const char* section : {"Options", "Toolbars", "Raw"})
      RegDeleteKeyA(HKEY_CURRENT_USER, (product + "\\" + section).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, product.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str());
  }

  static HKEY OpenSection(const char* section) {
    HKEY key = nullptr;
    const std::string path = std::string("Software\\") + kCompany + "\\" + kProduct + "\\" + section;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
  }

  TSysInfo settings{TWindowsVersion{}};
};

TEST_F(RegistrySettings, IntegersAsDwords) {
  for (int value : {0, -1, -123456, INT_MIN, INT_MAX}) {
    ASSERT_EQ(settings.WriteInt("Options", "UndoLevels", value), 1);
    EXPECT_EQ(settings.ReadInt("Options", "UndoLevels", 5), value);
  }
  HKEY key = OpenSection("Options");
  DWORD type = 0, value = 0, size = sizeof value;
  ASSERT_EQ(RegQueryValueExA(key, "UndoLevels", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegCloseKey(key);

  EXPECT_EQ(settings.ReadInt("Options", "Missing", 5), 5);
  settings.WriteString("Options", "Text", "12");
  EXPECT_EQ(settings.ReadInt("Options", "Text", 5), 5) << "a value that is not a DWORD";
}

TEST_F(RegistrySettings, StringsAndDeletion) {
  char buffer[64];
  ASSERT_EQ(settings.WriteString("Options", "Folder", "C:\\Scores"), 1);
  EXPECT_EQ(settings.ReadString("Options", "Folder", "dflt", buffer, sizeof buffer), 9);
  EXPECT_STREQ(buffer, "C:\\Scores");

  HKEY key = OpenSection("Options");
  DWORD type = 0, size = 0;
  RegQueryValueExA(key, "Folder", nullptr, &type, nullptr, &size);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 10u) << "written with its terminating NUL";
  RegCloseKey(key);

  settings.WriteInt("Options", "Number", 3);
  settings.ReadString("Options", "Number", "dflt", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "dflt") << "a value that is not REG_SZ";
  settings.ReadString("Options", "Number", nullptr, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "");

  ASSERT_EQ(settings.WriteString("Options", "Folder", nullptr), 1);
  settings.ReadString("Options", "Folder", "gone", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "gone");
  EXPECT_EQ(settings.ReadInt("Options", "Number", 0), 3);

  ASSERT_EQ(settings.WriteString("Options", nullptr, nullptr), 1);
  HKEY removed = nullptr;
  const std::string path = std::string("Software\\") + kCompany + "\\" + kProduct + "\\Options";
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &removed), ERROR_SUCCESS);
}

TEST_F(RegistrySettings, StoredTextsAreAlwaysTerminated) {
  HKEY key = OpenSection("Raw");
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  RegSetValueExA(key, "NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 4);
  const std::string longText(100, 'x');
  RegSetValueExA(key, "Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()), 101);
  RegCloseKey(key);

  char buffer[16];
  std::memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(settings.ReadString("Raw", "NoNul", "dflt", buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "abcd");

  char small[8];
  EXPECT_EQ(settings.ReadString("Raw", "Long", "dflt", small, sizeof small), 7);
  EXPECT_STREQ(small, "xxxxxxx") << "cut to the buffer, never left open";
}

TEST_F(RegistrySettings, BinaryValues) {
  unsigned char data[100];
  for (int i = 0; i < 100; ++i) data[i] = static_cast<unsigned char>(255 - i);
  ASSERT_EQ(settings.WriteBinary("Toolbars", "Notes", data, 100), 1) << "no 63-byte limit in the registry";
  unsigned char back[100] = {};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Notes", nullptr, back, 100), 100);
  EXPECT_EQ(std::memcmp(data, back, 100), 0);

  unsigned char shortBack[10] = {};
  const unsigned char fallback[10] = {7};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Notes", fallback, shortBack, 10), 10)
      << "a value longer than the buffer fails the read";
  EXPECT_EQ(shortBack[0], 7);
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Missing", nullptr, shortBack, 10), 0);

  settings.WriteBinary("Toolbars", "Four", data, 4);
  unsigned char roomy[10] = {};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Four", nullptr, roomy, 10), 4) << "answers the size read";
}

TEST(RegistryKey, ClosedKeyAnswersFailure) {
  TKey key(HKEY_CURRENT_USER, "Software\\Vellichord Key That Does Not Exist", false);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.QueryDWord(17, "x"), 17u);
  char buffer[8];
  EXPECT_EQ(key.QueryString(buffer, sizeof buffer, "def", "x"), 3);
  EXPECT_STREQ(buffer, "def");
  EXPECT_EQ(key.SetDWord(1, "x"), 0);
  EXPECT_EQ(key.SetString("a", "x"), 0);
  EXPECT_EQ(key.SetBinary("a", 1, "x"), 0);
  EXPECT_EQ(key.DeleteValue("x"), 0);
  EXPECT_EQ(key.DeleteSubKey("x"), 0);
}

}  // namespace
