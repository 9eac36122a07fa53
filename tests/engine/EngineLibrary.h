// The engine library loaded by file name with every export bound, the way a caller sees it.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "engine/EngineState.h"

struct EngineLibrary {
  HMODULE module = nullptr;
  UINT(WINAPI* QVmidiOutOpen)(HMIDIOUT*, WORD);
  UINT(WINAPI* QVmidiOutClose)(HMIDIOUT);
  UINT(WINAPI* QVmidiOutShortMsg)(HMIDIOUT, DWORD);
  UINT(WINAPI* QVmidiInOpen)(EngineInstance*, HMIDIIN*, WORD);
  UINT(WINAPI* QVmidiInClose)(HMIDIIN);
  UINT(WINAPI* QVmidiInStart)(HMIDIIN);
  UINT(WINAPI* QVmidiInStop)(HMIDIIN);
  UINT(WINAPI* QVmidiOutGetID)(HMIDIOUT, WORD*);
  int(WINAPI* AllocInst)(EngineInstance*);
  void(WINAPI* DeallocInst)(EngineInstance*);
  int(WINAPI* Play)(EngineInstance*, HWND, PlayParams*, TSingleMidiBuf*);
  int(WINAPI* Load)(EngineInstance*, TSingleMidiBuf*);
  void(WINAPI* Stop)(EngineInstance*);
  int(WINAPI* IsPlaying)(EngineInstance*);
  int(WINAPI* GetSPP)(EngineInstance*);
  void(WINAPI* SetRecording)(EngineInstance*, BYTE);
  int(WINAPI* IsRecording)(EngineInstance*);
  int(WINAPI* GetRecorded)(EngineInstance*, TRecordedEvent*);
  void(WINAPI* SetEcho)(EngineInstance*, HMIDIOUT, BYTE);
  void(WINAPI* SetEchoWindow)(EngineInstance*, HWND);

  // Every export the library must have, by name.
  static constexpr const char* kExports[28] = {
      "DllEntryPoint", "QVmidiOutOpen", "QVmidiOutClose", "QVmidiOutShortMsg", "QVmidiOutReset",
      "QVmidiOutCachePatches", "QVmidiOutCacheDrumPatches", "QVmidiOutGetID", "QVmidiInOpen",
      "QVmidiInClose", "QVmidiInStart", "QVmidiInStop", "QVmidiInReset", "QVmidiInGetID",
      "AllocInst", "DeallocInst", "Play", "Load", "Stop", "IsPlaying", "GetSPP", "SetRecording",
      "IsRecording", "GetRecorded", "SetEcho", "SetEchoWindow", "RecorderCB", "ConductorCB"};

  bool Open(const char* file) {
    module = LoadLibraryA(file);
    if (!module) return false;
    return Bind(QVmidiOutOpen, "QVmidiOutOpen") && Bind(QVmidiOutClose, "QVmidiOutClose") &&
           Bind(QVmidiOutShortMsg, "QVmidiOutShortMsg") && Bind(QVmidiInOpen, "QVmidiInOpen") &&
           Bind(QVmidiInClose, "QVmidiInClose") && Bind(QVmidiInStart, "QVmidiInStart") &&
           Bind(QVmidiInStop, "QVmidiInStop") && Bind(QVmidiOutGetID, "QVmidiOutGetID") &&
           Bind(AllocInst, "AllocInst") && Bind(DeallocInst, "DeallocInst") &&
           Bind(Play, "Play") && Bind(Load, "Load") && Bind(Stop, "Stop") &&
           Bind(IsPlaying, "IsPlaying") && Bind(GetSPP, "GetSPP") &&
           Bind(SetRecording, "SetRecording") && Bind(IsRecording, "IsRecording") &&
           Bind(GetRecorded, "GetRecorded") && Bind(SetEcho, "SetEcho") &&
           Bind(SetEchoWindow, "SetEchoWindow");
  }
  ~EngineLibrary() {
    if (module) FreeLibrary(module);
  }

private:
  template <typename Fn> bool Bind(Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return fn != nullptr;
  }
};
