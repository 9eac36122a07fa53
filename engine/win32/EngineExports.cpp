// The engine library's exports: device wrappers and the instance calls, each a thin forward to
// the engine core with the multimedia platform.
#include "engine/win32/EngineExports.h"

#include "engine/EngineCore.h"
#include "engine/win32/EnginePlatformWin32.h"

namespace {

HINSTANCE module_handle;  // the library's only global

// A device number beyond this opens the MIDI mapper.
constexpr WORD kHighestDeviceNumber = 64;

EngineState* StateOf(EngineInstance* instance) { return instance ? instance->state : nullptr; }

}  // namespace

extern "C" {

BOOL WINAPI DllEntryPoint(HINSTANCE module, DWORD reason, LPVOID reserved) {
  module_handle = module;
  return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  return DllEntryPoint(module, reason, reserved);
}

UINT WINAPI QVmidiOutOpen(HMIDIOUT* out, WORD device) {
  const UINT id = device > kHighestDeviceNumber ? MIDI_MAPPER : device;
  return midiOutOpen(out, id, 0, 0, CALLBACK_NULL);
}

UINT WINAPI QVmidiOutClose(HMIDIOUT out) { return midiOutClose(out); }
UINT WINAPI QVmidiOutShortMsg(HMIDIOUT out, DWORD message) { return midiOutShortMsg(out, message); }
UINT WINAPI QVmidiOutReset(HMIDIOUT out) { return midiOutReset(out); }

UINT WINAPI QVmidiOutCachePatches(HMIDIOUT out, WORD bank, WORD* patches, UINT flags) {
  return midiOutCachePatches(out, bank, patches, flags);
}

UINT WINAPI QVmidiOutCacheDrumPatches(HMIDIOUT out, WORD patch, WORD* keys, UINT flags) {
  return midiOutCacheDrumPatches(out, patch, keys, flags);
}

UINT WINAPI QVmidiOutGetID(HMIDIOUT out, WORD* id) {
  if (!id) return MMSYSERR_INVALPARAM;
  UINT wide = *id;
  const UINT result = midiOutGetID(out, &wide);
  *id = WORD(wide);
  return result;
}

UINT WINAPI QVmidiInOpen(EngineInstance* instance, HMIDIIN* in, WORD device) {
  EngineState* s = StateOf(instance);
  if (!s) return MMSYSERR_INVALPARAM;
  return midiInOpen(in, device, reinterpret_cast<DWORD_PTR>(RecorderCB),
                    reinterpret_cast<DWORD_PTR>(s), CALLBACK_FUNCTION);
}

UINT WINAPI QVmidiInClose(HMIDIIN in) { return midiInClose(in); }
UINT WINAPI QVmidiInStart(HMIDIIN in) { return midiInStart(in); }
UINT WINAPI QVmidiInStop(HMIDIIN in) { return midiInStop(in); }
UINT WINAPI QVmidiInReset(HMIDIIN in) { return midiInReset(in); }

UINT WINAPI QVmidiInGetID(HMIDIIN in, WORD* id) {
  if (!id) return MMSYSERR_INVALPARAM;
  UINT wide = *id;
  const UINT result = midiInGetID(in, &wide);
  *id = WORD(wide);
  return result;
}

int WINAPI AllocInst(EngineInstance* instance) {
  if (!instance || instance->size < kEngineMinInstanceSize) return 0;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(EngineState));
  if (!memory) return 0;
  auto* s = static_cast<EngineState*>(GlobalLock(memory));
  if (!s) {
    GlobalFree(memory);
    return 0;
  }
  EngineInitState(*s);
  instance->memory = reinterpret_cast<EngineHandle>(memory);
  instance->state = s;
  return 1;
}

void WINAPI DeallocInst(EngineInstance* instance) {
  EngineState* s = StateOf(instance);
  if (!s || !instance->memory) return;  // never filled by AllocInst: nothing to free
  EngineStopPlay(*s, Win32EnginePlatform());
  HGLOBAL memory = reinterpret_cast<HGLOBAL>(instance->memory);
  GlobalUnlock(memory);
  GlobalFree(memory);
  instance->memory = 0;
  instance->state = nullptr;
}

int WINAPI Play(EngineInstance* instance, HWND notifyWindow, PlayParams* params,
                TSingleMidiBuf* first) {
  EngineState* s = StateOf(instance);
  if (!s || !params) return 0;
  return EngineStartPlay(*s, Win32EnginePlatform(), reinterpret_cast<EngineHandle>(notifyWindow),
                         *params, first);
}

int WINAPI Load(EngineInstance* instance, TSingleMidiBuf* buffer) {
  EngineState* s = StateOf(instance);
  return s ? EngineLoad(*s, buffer) : 0;
}

void WINAPI Stop(EngineInstance* instance) {
  if (EngineState* s = StateOf(instance)) EngineStopPlay(*s, Win32EnginePlatform());
}

int WINAPI IsPlaying(EngineInstance* instance) {
  EngineState* s = StateOf(instance);
  return s ? int(s->playing & 0xFF) : 0;
}

int WINAPI GetSPP(EngineInstance* instance) {
  EngineState* s = StateOf(instance);
  return s ? __atomic_load_n(&s->songPosition, __ATOMIC_ACQUIRE) : 0;
}

void WINAPI SetRecording(EngineInstance* instance, BYTE flag) {
  if (EngineState* s = StateOf(instance)) EngineSetRecording(*s, flag);
}

int WINAPI IsRecording(EngineInstance* instance) {
  EngineState* s = StateOf(instance);
  return s ? s->recording : 0;
}

int WINAPI GetRecorded(EngineInstance* instance, TRecordedEvent* out) {
  EngineState* s = StateOf(instance);
  return s && out ? EngineGetRecorded(*s, out) : 0;
}

void WINAPI SetEcho(EngineInstance* instance, HMIDIOUT thru, BYTE channel) {
  if (EngineState* s = StateOf(instance)) {
    EngineSetEcho(*s, reinterpret_cast<EngineHandle>(thru), channel);
  }
}

void WINAPI SetEchoWindow(EngineInstance* instance, HWND window) {
  if (EngineState* s = StateOf(instance)) {
    __atomic_store_n(&s->echoWindow, reinterpret_cast<EngineHandle>(window), __ATOMIC_RELEASE);
  }
}

void CALLBACK RecorderCB(HMIDIIN in, UINT message, DWORD_PTR data, DWORD_PTR param1,
                         DWORD_PTR param2) {
  auto* s = reinterpret_cast<EngineState*>(data);
  if (!s) return;
  EngineRecordInput(*s, Win32EnginePlatform(), reinterpret_cast<EngineHandle>(in), message,
                    uint32_t(param1));
}

void CALLBACK ConductorCB(UINT id, UINT message, DWORD_PTR data, DWORD_PTR reserved1,
                          DWORD_PTR reserved2) {
  auto* s = reinterpret_cast<EngineState*>(data);
  if (s) EngineConductTick(*s, Win32EnginePlatform());
}

}  // extern "C"
