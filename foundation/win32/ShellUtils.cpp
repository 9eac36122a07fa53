#include "foundation/win32/ShellUtils.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "foundation/PathText.h"
#include "foundation/TextUtils.h"
#include "foundation/win32/MessageBoxes.h"

namespace {

constexpr char kRetryNotice[] =
    "First try failed, probably due to a system setup problem with your default browser.\n"
    "Now trying a different approach...";

// Selects the start folder once the dialog is up.
int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED && start) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

bool IsExistingDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void InitShellOpenInfo(SHELLEXECUTEINFOA& info, const char* path) {
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.lpVerb = "open";
  info.lpFile = path;
  info.nShow = SW_SHOWDEFAULT;
}

bool ShellOpen(const char* path) {
  if (!path) return false;
  SHELLEXECUTEINFOA info;
  InitShellOpenInfo(info, path);
  if (ShellExecuteExA(&info)) return true;
  InformationMessage("%s", kRetryNotice);
  InitShellOpenInfo(info, path);
  info.fMask = SEE_MASK_CLASSNAME;
  info.lpClass = "htmlfile";
  return ShellExecuteExA(&info) != FALSE;
}

bool BrowseForFolder(HWND window, char* path) {
  if (!path) return false;
  IMalloc* shellMalloc = nullptr;
  if (FAILED(SHGetMalloc(&shellMalloc)) || !shellMalloc) return false;
  char start[kMaxPath];
  StrCopyMax(start, path, sizeof start);
  PathToDirectory(start, false);
  char display[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = FindFrameWindow(window);
  info.pszDisplayName = display;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  if (IsExistingDirectory(start)) {
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start);
  }
  bool chosen = false;
  if (LPITEMIDLIST item = SHBrowseForFolderA(&info)) {
    char chosenPath[MAX_PATH] = "";
    if (SHGetPathFromIDListA(item, chosenPath)) {
      StrCopyMax(path, chosenPath, kMaxPath);
      chosen = true;
    }
    shellMalloc->Free(item);
  }
  shellMalloc->Release();
  return chosen;
}

bool CreateShellLink(const char* linkFile, const char* target, const char* arguments, const char* description) {
  if (!linkFile || !target) return false;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target);
  link->SetArguments(arguments ? arguments : "");
  link->SetDescription(description ? description : "");
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkFile, -1, wide, MAX_PATH) > 0) {
      saved = SUCCEEDED(file->Save(wide, TRUE));
    }
    file->Release();
  }
  link->Release();
  return saved;
}
