// The settings store over a real INI file: the Win32 profile functions under Wine, the host's own
// reader and writer natively.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/SysInfo.h"
#include "tests/utility/ScratchPath.h"

namespace {

class IniSettings : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path = ScratchPath(std::string("settings_") + info->name() + ".ini");
    std::filesystem::remove(path);
    settings.SetStorageNames("Vellichord Tests", path.c_str());
    settings.SetRegistryFlag(0);
  }
  void TearDown() override { std::filesystem::remove(path); }

  std::string FileText() {
    settings.FlushSettings();
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string path;
  TSysInfo settings{TWindowsVersion{}};
};

TEST_F(IniSettings, IntegersRoundTrip) {
  for (int value : {0, 1, -1, -12345, INT_MAX, INT_MIN}) {
    ASSERT_EQ(settings.WriteInt("Options", "UndoLevels", value), 1);
    EXPECT_EQ(settings.ReadInt("Options", "UndoLevels", 77), value);
  }
  EXPECT_EQ(settings.ReadInt("Options", "Missing", 77), 77);
  EXPECT_EQ(settings.ReadInt("NoSection", "UndoLevels", -3), -3);
  EXPECT_NE(FileText().find("UndoLevels=-2147483648"), std::string::npos) << "written with %d";
}

TEST_F(IniSettings, MalformedIntegersGiveTheDefault) {
  const char* bad[] = {"abc", "12abc", "1 2", "99999999999", "-2147483649", "0x10", "--1", ""};
  for (const char* text : bad) {
    ASSERT_EQ(settings.WriteString("Options", "Value", text), 1);
    EXPECT_EQ(settings.ReadInt("Options", "Value", 42), 42) << '"' << text << '"';
  }
  settings.WriteString("Options", "Value", " -17 ");
  EXPECT_EQ(settings.ReadInt("Options", "Value", 42), -17) << "blanks around a number are fine";
}

TEST_F(IniSettings, StringsRoundTripAndDelete) {
  char buffer[64];
  ASSERT_EQ(settings.WriteString("Folders", "Scores", "C:\\My Scores"), 1);
  settings.WriteString("Folders", "Templates", "C:\\Templates");
  EXPECT_EQ(settings.ReadString("Folders", "Scores", "none", buffer, sizeof buffer), 12);
  EXPECT_STREQ(buffer, "C:\\My Scores");
  settings.ReadString("Folders", "Missing", "none", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "none");

  char small[5] = "xxxx";
  settings.ReadString("Folders", "Scores", "", small, sizeof small);
  EXPECT_STREQ(small, "C:\\M") << "cut to the buffer and terminated";

  ASSERT_EQ(settings.WriteString("Folders", "Scores", nullptr), 1);
  settings.ReadString("Folders", "Scores", "gone", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "gone");
  settings.ReadString("Folders", "Templates", "gone", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "C:\\Templates") << "only the one key was deleted";

  settings.WriteInt("Other", "Kept", 5);
  ASSERT_EQ(settings.WriteString("Folders", nullptr, nullptr), 1);
  const std::string text = FileText();
  EXPECT_EQ(text.find("[Folders]"), std::string::npos) << text;
  EXPECT_EQ(text.find("Templates"), std::string::npos) << text;
  EXPECT_EQ(settings.ReadInt("Other", "Kept", 0), 5);
}

TEST_F(IniSettings, BinaryRoundTripAsLowercaseHex) {
  const unsigned char toolbar[10] = {0x10, 0x00, 0xFF, 0x80, 0x01, 0x7F, 0xAB, 0xCD, 0x00, 0x20};
  ASSERT_EQ(settings.WriteBinary("Toolbars", "Notes", toolbar, sizeof toolbar), 1);
  EXPECT_NE(FileText().find("Notes=1000ff80017fabcd0020"), std::string::npos);
  unsigned char back[10] = {};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Notes", nullptr, back, sizeof back), 10);
  EXPECT_EQ(std::memcmp(back, toolbar, sizeof back), 0);

  unsigned char largest[63];
  for (int i = 0; i < 63; ++i) largest[i] = static_cast<unsigned char>(i * 4 + 1);
  ASSERT_EQ(settings.WriteBinary("Toolbars", "Largest", largest, 63), 1);
  unsigned char largestBack[63] = {};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Largest", nullptr, largestBack, 63), 63);
  EXPECT_EQ(std::memcmp(largest, largestBack, 63), 0);
}

TEST_F(IniSettings, BinaryAbove63BytesIsRefused) {
  unsigned char big[64] = {1};
  EXPECT_EQ(settings.WriteBinary("Toolbars", "Big", big, 64), 0);
  EXPECT_EQ(FileText().find("Big"), std::string::npos);
  unsigned char back[64];
  const unsigned char fallback[64] = {9};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Big", fallback, back, 64), 64);
  EXPECT_EQ(back[0], 9);
}

TEST_F(IniSettings, MalformedBinaryGivesTheDefaultNeverAPart) {
  const unsigned char fallback[4] = {0xDE, 0xAD, 0xBE, 0xEF};
  const char* bad[] = {"0102030", "010203040", "zz020304", "010203zz", "0x020304", " 1020304", "01 20304"};
  for (const char* text : bad) {
    settings.WriteString("Toolbars", "Bad", text);
    unsigned char back[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(settings.ReadBinary("Toolbars", "Bad", fallback, back, 4), 4) << text;
    EXPECT_EQ(std::memcmp(back, fallback, 4), 0) << text;
    unsigned char untouched[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(settings.ReadBinary("Toolbars", "Bad", nullptr, untouched, 4), 0) << text;
    EXPECT_EQ(untouched[0], 0x55) << text;
  }
  settings.WriteString("Toolbars", "Upper", "0A0B");
  unsigned char upper[2] = {};
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Upper", nullptr, upper, 2), 2) << "hex in either case";
  EXPECT_EQ(upper[1], 0x0B);
  // An absent key reads as "00": right for one byte only.
  unsigned char one = 0x77;
  EXPECT_EQ(settings.ReadBinary("Toolbars", "Absent", nullptr, &one, 1), 1);
  EXPECT_EQ(one, 0);
}

// A file written by hand or by another program: the same reads natively and under Wine.
TEST_F(IniSettings, HandWrittenFileReadsAsTheProfileFunctionsReadIt) {
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Options]\r\n"
           "  UndoLevels =  12  \r\n"
           "Quoted=\"  spaced  \"\r\n"
           "Single='x'\r\n"
           "Half=\"open\r\n"
           "Empty=\r\n"
           "\r\n"
           "[ Folders ]\n"
           "Scores=C:\\My Scores\n";
  }
  char buffer[64];
  EXPECT_EQ(settings.ReadInt("OPTIONS", "undolevels", 0), 12) << "names compare without case";
  settings.ReadString("Options", "Quoted", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "  spaced  ");
  settings.ReadString("Options", "Single", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "x");
  settings.ReadString("Options", "Half", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "\"open");
  settings.ReadString("Options", "Empty", "dflt", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "") << "a present empty value is not the default";
  EXPECT_EQ(settings.ReadInt("Options", "Empty", 9), 9);
  settings.ReadString("Folders", "Scores", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "C:\\My Scores") << "blanks inside the brackets and LF-only lines";

  ASSERT_EQ(settings.WriteInt("Options", "UndoLevels", 3), 1);
  EXPECT_EQ(settings.ReadInt("Options", "UndoLevels", 0), 3);
  ASSERT_EQ(settings.WriteInt("folders", "Count", 2), 1);
  EXPECT_EQ(settings.ReadInt("Folders", "Count", 0), 2);
  const std::string text = FileText();
  EXPECT_EQ(text.find("[folders]"), std::string::npos) << "an existing section is reused: " << text;
}

TEST(RegistrySettings, WithoutNamesEveryReadAnswersItsDefault) {
  TSysInfo settings{TWindowsVersion{}};
  ASSERT_EQ(settings.GetRegistryFlag(), 1) << "the registry is the store until start-up switches";
  EXPECT_EQ(settings.ReadInt("Options", "UndoLevels", -9), -9);
  char buffer[16];
  EXPECT_EQ(settings.ReadString("Options", "Name", "dflt", buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "dflt");
  const unsigned char fallback[3] = {1, 2, 3};
  unsigned char back[3] = {};
  EXPECT_EQ(settings.ReadBinary("Options", "Bin", fallback, back, 3), 3);
  EXPECT_EQ(back[2], 3);
  EXPECT_EQ(settings.ReadBinary("Options", "Bin", nullptr, back, 3), 0);
  EXPECT_EQ(settings.WriteInt("Options", "UndoLevels", 1), 0);
  EXPECT_EQ(settings.WriteString("Options", "Name", "x"), 0);
  EXPECT_EQ(settings.WriteBinary("Options", "Bin", fallback, 3), 0);
}

}  // namespace
