// The engine library's exported functions (stdcall, exported by undecorated name).
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "engine/EngineState.h"

extern "C" {
BOOL WINAPI DllEntryPoint(HINSTANCE module, DWORD reason, LPVOID reserved);

UINT WINAPI QVmidiOutOpen(HMIDIOUT* out, WORD device);
UINT WINAPI QVmidiOutClose(HMIDIOUT out);
UINT WINAPI QVmidiOutShortMsg(HMIDIOUT out, DWORD message);
UINT WINAPI QVmidiOutReset(HMIDIOUT out);
UINT WINAPI QVmidiOutCachePatches(HMIDIOUT out, WORD bank, WORD* patches, UINT flags);
UINT WINAPI QVmidiOutCacheDrumPatches(HMIDIOUT out, WORD patch, WORD* keys, UINT flags);
UINT WINAPI QVmidiOutGetID(HMIDIOUT out, WORD* id);
UINT WINAPI QVmidiInOpen(EngineInstance* instance, HMIDIIN* in, WORD device);
UINT WINAPI QVmidiInClose(HMIDIIN in);
UINT WINAPI QVmidiInStart(HMIDIIN in);
UINT WINAPI QVmidiInStop(HMIDIIN in);
UINT WINAPI QVmidiInReset(HMIDIIN in);
UINT WINAPI QVmidiInGetID(HMIDIIN in, WORD* id);

int WINAPI AllocInst(EngineInstance* instance);
void WINAPI DeallocInst(EngineInstance* instance);
int WINAPI Play(EngineInstance* instance, HWND notifyWindow, PlayParams* params,
                TSingleMidiBuf* first);
int WINAPI Load(EngineInstance* instance, TSingleMidiBuf* buffer);
void WINAPI Stop(EngineInstance* instance);
int WINAPI IsPlaying(EngineInstance* instance);
int WINAPI GetSPP(EngineInstance* instance);
void WINAPI SetRecording(EngineInstance* instance, BYTE flag);
int WINAPI IsRecording(EngineInstance* instance);
int WINAPI GetRecorded(EngineInstance* instance, TRecordedEvent* out);
void WINAPI SetEcho(EngineInstance* instance, HMIDIOUT thru, BYTE channel);
void WINAPI SetEchoWindow(EngineInstance* instance, HWND window);

void CALLBACK RecorderCB(HMIDIIN in, UINT message, DWORD_PTR data, DWORD_PTR param1,
                         DWORD_PTR param2);
void CALLBACK ConductorCB(UINT id, UINT message, DWORD_PTR data, DWORD_PTR reserved1,
                          DWORD_PTR reserved2);
}
