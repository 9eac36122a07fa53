#include "app/win32/DdeServer.h"

#include "app/DdeCommand.h"
#include "app/FileOpening.h"
#include "app/win32/VellichordFrame.h"
#include "app/win32/ShellGlobals.h"

namespace {

const char kServiceName[] = "QVK32";
const char kTopicName[] = "System";

DWORD gDdeInstance = 0;
HSZ gServiceHandle = nullptr;
HSZ gTopicHandle = nullptr;

void OpenInFrame(const char* path) {
  if (gFrame) gFrame->OpenDocumentFile(path, kOpenModeDde);
}

TDdeOpenFn gOpen = OpenInFrame;

HDDEDATA Execute(HDDEDATA data) {
  char text[kDdeExecuteSize];
  bool valid = false;
  int command = kDdeInvalid;
  char argument[kDdeArgumentSize];
  DWORD size = 0;
  // The data is read in place: a string longer than the buffer is refused whole, never cut.
  if (const BYTE* bytes = DdeAccessData(data, &size)) {
    valid = CopyDdeExecuteData(bytes, size, text) && ParseDdeCommand(text, command, argument);
    DdeUnaccessData(data);
  }
  char path[MAX_PATH];
  if (valid && command == kDdeOpen) {
    const DWORD n = GetFullPathNameA(argument, sizeof path, path, nullptr);
    valid = n > 0 && n < sizeof path;
  }
  if (!valid) {
    OutputDebugStringA("Invalid Execute Command");
    return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
  }
  if (command == kDdeOpen && gOpen) gOpen(path);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

}  // namespace

DWORD GetDdeInstance() { return gDdeInstance; }
HSZ GetDdeServiceHandle() { return gServiceHandle; }
HSZ GetDdeTopicHandle() { return gTopicHandle; }

void SetDdeOpenHandler(TDdeOpenFn open) { gOpen = open ? open : OpenInFrame; }

bool RegisterDdeServer() {
  gDdeInstance = 0;
  if (DdeInitializeA(&gDdeInstance, DdeServerCallback, APPCMD_FILTERINITS, 0) != DMLERR_NO_ERROR) {
    gDdeInstance = 0;
    OutputDebugStringA("Unable to Register with DDEML Library");
    return false;
  }
  gServiceHandle = DdeCreateStringHandleA(gDdeInstance, kServiceName, CP_WINANSI);
  gTopicHandle = DdeCreateStringHandleA(gDdeInstance, kTopicName, CP_WINANSI);
  if (!gServiceHandle || !gTopicHandle || !DdeNameService(gDdeInstance, gServiceHandle, nullptr, DNS_REGISTER)) {
    OutputDebugStringA("Unable to Register with DDEML Library");
    UnregisterDdeServer();
    return false;
  }
  return true;
}

bool UnregisterDdeServer() {
  if (!gDdeInstance) return true;
  bool freed = true;
  if (gServiceHandle) {
    DdeNameService(gDdeInstance, gServiceHandle, nullptr, DNS_UNREGISTER);
    freed = DdeFreeStringHandle(gDdeInstance, gServiceHandle) != 0;
  }
  if (gTopicHandle && !DdeFreeStringHandle(gDdeInstance, gTopicHandle)) freed = false;
  if (!freed) OutputDebugStringA("Unable to free Dde item string handle");
  // The instance goes even when a handle would not free: a registered service left behind would
  // keep answering for a frame that no longer exists.
  DdeUninitialize(gDdeInstance);
  gDdeInstance = 0;
  gServiceHandle = nullptr;
  gTopicHandle = nullptr;
  return freed;
}

extern "C" HDDEDATA CALLBACK DdeServerCallback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                                               ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(
          static_cast<ULONG_PTR>(gTopicHandle && hsz1 == gTopicHandle && gServiceHandle && hsz2 == gServiceHandle));
    case XTYP_EXECUTE:
      return Execute(data);
    case XTYP_ERROR:
      OutputDebugStringA("DDEML Error Encountered in CallBack");
      return nullptr;
    default:
      return nullptr;
  }
}
