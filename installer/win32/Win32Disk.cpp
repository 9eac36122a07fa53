#include "installer/win32/Win32Disk.h"

#include <windows.h>

#include "foundation/PathText.h"
#include "foundation/win32/FileUtils.h"
#include "installer/win32/UpgApplier.h"

TUpgFileFacts ReadUpgFacts(const std::string& folder, const TUpgFileRecord& record, bool needInfo) {
  TUpgFileFacts facts;
  const std::string path = UpgInstalledName(folder, record);
  if (path.size() >= kMaxPath) return facts;
  facts.exists = FileExists(path.c_str()) != 0;
  if (!facts.exists) return facts;
  facts.readOnly = IsReadOnlyFile(path.c_str()) != 0;
  if (needInfo) facts.readable = ReadUpgFileInfo(path.c_str(), facts.info);
  return facts;
}

bool TWin32SearchDisk::IsFixedDrive(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  return GetDriveTypeA(root) == DRIVE_FIXED;
}

void TWin32SearchDisk::ListSubfolders(const std::string& folder, std::vector<std::string>& subfolders) {
  // The search notice stays painted while whole drives are listed.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  const std::string pattern = folder + "*.*";
  if (pattern.size() >= kMaxPath) return;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    std::string sub = folder + name + "\\";
    if (sub.size() < kMaxPath) subfolders.push_back(std::move(sub));
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

bool TWin32SearchDisk::IsInstallation(const std::string& folder) { return applier.IsInstallation(folder); }
