// The DDE server through which other programs (the shell's file associations among them) hand
// files to a running editor: service "QVK32", topic "System", execute strings "[Open(path)]" and
// "[Null()]". Failures go to the debugger output only.
#pragma once
#include <windows.h>
#include <ddeml.h>

// Called at the end of main-window creation; false when the editor runs without a server.
bool RegisterDdeServer();
// Called from the frame's clean-up. The service is withdrawn and the instance uninitialised
// whatever happens; false when a string handle could not be freed.
bool UnregisterDdeServer();

// The DDEML instance (0 when not registered) and the two name handles.
DWORD GetDdeInstance();
HSZ GetDdeServiceHandle();
HSZ GetDdeTopicHandle();

// Receives the path of a valid Open; the server calls the frame's file opening by default.
using TDdeOpenFn = void (*)(const char* path);
void SetDdeOpenHandler(TDdeOpenFn open);

extern "C" __declspec(dllexport) HDDEDATA CALLBACK DdeServerCallback(UINT type, UINT format, HCONV conversation,
                                                                   HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                                                   ULONG_PTR data1, ULONG_PTR data2);
