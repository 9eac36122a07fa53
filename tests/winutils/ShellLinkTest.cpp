// Shortcuts written through the shell's link object and read back.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "foundation/win32/ShellUtils.h"

TEST(ShellLink, WritesTargetArgumentsAndDescription) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string link = std::string(temp) + "vc_shell_link_test.lnk";
  DeleteFileA(link.c_str());

  ASSERT_TRUE(CreateShellLink(link.c_str(), "C:\\windows\\notepad.exe", "/p score.txt", "Vellichord notes"));
  EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);

  IShellLinkA* read = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&read))));
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(read->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
  ASSERT_TRUE(SUCCEEDED(file->Load(wide, STGM_READ)));
  char buffer[MAX_PATH] = "";
  read->GetPath(buffer, MAX_PATH, nullptr, 0);
  EXPECT_STRCASEEQ(buffer, "C:\\windows\\notepad.exe");
  read->GetArguments(buffer, MAX_PATH);
  EXPECT_STREQ(buffer, "/p score.txt");
  read->GetDescription(buffer, MAX_PATH);
  EXPECT_STREQ(buffer, "Vellichord notes");
  file->Release();
  read->Release();

  // A folder that does not exist cannot take the link.
  EXPECT_FALSE(CreateShellLink("C:\\no such folder\\x\\y.lnk", "C:\\windows\\notepad.exe", nullptr, nullptr));
  DeleteFileA(link.c_str());
  CoUninitialize();
}
