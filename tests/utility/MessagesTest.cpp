// The string table compiled into this program and the message texts built from it, checked
// without showing a box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/SysInfo.h"
#include "foundation/win32/MessageBoxes.h"
#include "resources/StringIds.h"
#include "tests/utility/ExpectedMessages.h"

namespace {

bool Build(TMessageBoxRequest& request, UINT style, UINT caption, UINT first, int count, ...) {
  va_list args;
  va_start(args, count);
  const bool ok = BuildTableMessage(nullptr, style, caption, first, count, args, request);
  va_end(args);
  return ok;
}

void BuildFormatted(TMessageBoxRequest& request, HWND window, UINT style, const char* caption, const char* format, ...) {
  va_list args;
  va_start(args, format);
  BuildFormattedMessage(window, style, caption, format, args, request);
  va_end(args);
}

TEST(StringTable, EveryMessageBuildsItsExactCaptionAndText) {
  int checked = 0;
  for (const TExpectedMessage& m : kExpectedMessages) {
    TMessageBoxRequest request;
    ASSERT_TRUE(Build(request, MB_ICONEXCLAMATION, m.CaptionId, m.FirstTextId, m.TextCount, "C:\\A.QVK", "1.80"))
        << m.FirstTextId;
    char expected[kMessageTextSize];
    std::snprintf(expected, sizeof expected, m.Text, "C:\\A.QVK", "1.80");
    EXPECT_STREQ(request.Caption, m.Caption) << m.CaptionId;
    EXPECT_STREQ(request.Text, expected) << m.FirstTextId;
    EXPECT_EQ(request.Style, static_cast<UINT>(MB_ICONEXCLAMATION));
    ++checked;
  }
  EXPECT_EQ(checked, 28);
}

TEST(StringTable, SeveralTextIdsJoinWithoutSeparators) {
  TMessageBoxRequest request;
  ASSERT_TRUE(Build(request, MB_ICONQUESTION | MB_YESNOCANCEL, IDS_NO_PLAY_DEVICES, IDS_NO_PLAY_DEVICES_TEXT, 3));
  EXPECT_STREQ(request.Text,
               "There are not currently any selected devices which can be used in the play back of this score. "
               "Devices are selected from the Options command on the Tools menu.\n\nWould you like to configure now?");
  char single[kMessageTextSize];
  LoadStringA(GetModuleHandleA(nullptr), IDS_NO_PLAY_DEVICES_TEXT2, single, sizeof single);
  EXPECT_STREQ(single, "score. Devices are selected from the Options command on the Tools menu.\n\n");
}

TEST(StringTable, FileMessagesNameTheFileAndExtension) {
  TMessageBoxRequest request;
  ASSERT_TRUE(Build(request, MB_ICONEXCLAMATION, IDS_FILE_OPEN, IDS_FILE_TYPE_UNKNOWN, 1, "notes.txt", "txt"));
  EXPECT_STREQ(request.Text,
               "File: notes.txt\n\nVellichord does not recognize the file type 'txt', so it is unable to open the file.");
}

TEST(StringTable, MissingResourcesSuppressTheBox) {
  TMessageBoxRequest request;
  EXPECT_FALSE(Build(request, MB_OK, 8200, IDS_FILE_OPEN_FAILED, 1)) << "no such caption";
  EXPECT_FALSE(Build(request, MB_OK, IDS_FILE_OPEN, 8199, 2)) << "8200 is not a text";
  EXPECT_FALSE(Build(request, MB_OK, IDS_FILE_OPEN, 60000, 1));
  // The real entry point answers 0 without showing anything (a shown box would block here).
  EXPECT_EQ(MBLMessage(nullptr, MB_OK, 8200, IDS_FILE_OPEN_FAILED, "x"), 0);
  EXPECT_EQ(MBLMessageN(nullptr, MB_OK, IDS_STAFF_CAPACITY, IDS_STAFF_CAPACITY_TEXT, 2), 0) << "8221 has no text";
}

TEST(StringTable, LongArgumentsAreCutToTheTextBuffer) {
  const std::string huge(5000, 'p');
  TMessageBoxRequest request;
  ASSERT_TRUE(Build(request, MB_OK, IDS_FILE_SAVE, IDS_FILE_SAVE_FAILED, 1, huge.c_str()));
  EXPECT_EQ(std::strlen(request.Text), static_cast<size_t>(kMessageTextSize - 1));
  EXPECT_EQ(std::string(request.Text, 6), "File: ");
}

TEST(MessageExport, ProgramExportsXMBLMessage) {
  FARPROC exported = GetProcAddress(GetModuleHandleA(nullptr), "xMBLMessage");
  ASSERT_NE(exported, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(exported), reinterpret_cast<void*>(&xMBLMessage));
}

TEST(FormattedBoxes, WithoutAWindowTheBoxIsTaskModal) {
  TMessageBoxRequest request;
  BuildFormatted(request, nullptr, MB_ICONEXCLAMATION, "Caption", "Value %d of %s", 5, "ten");
  EXPECT_EQ(request.Style, static_cast<UINT>(MB_ICONEXCLAMATION | MB_TASKMODAL));
  EXPECT_EQ(request.Owner, nullptr);
  EXPECT_STREQ(request.Caption, "Caption");
  EXPECT_STREQ(request.Text, "Value 5 of ten");
}

TEST(FormattedBoxes, TextIsCutTo511Characters) {
  const std::string huge(3000, 'q');
  TMessageBoxRequest request;
  BuildFormatted(request, nullptr, MB_OK, "C", "%s", huge.c_str());
  EXPECT_EQ(std::strlen(request.Text), static_cast<size_t>(kFormattedTextSize - 1));
}

TEST(StatusTexts, PushStatusIdLoadsFromTheStringTable) {
  TSysInfo info{TWindowsVersion{}};
  info.PushStatus("Ready", false);
  info.PushStatusId(IDS_MEMORY_CRITICAL, false);
  EXPECT_STREQ(info.GetStatusText(), "System Memory Critical");
  info.PushStatusId(8200, false);
  EXPECT_STREQ(info.GetStatusText(), "") << "an id without text pushes an empty text";
}

}  // namespace
